// Any bytes as a stored work item file.
#include "fuzz/fuzz_input.h"
#include "scheduler/job_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = FuzzInput{data, size}.Bytes();
  ReadStoredTrigger(bytes);
  if (const auto job = ParseJobFile(bytes)) {
    // What was read writes again and reads back the same way.
    if (!ParseJobFile(SerializeJobFile(*job))) __builtin_trap();
  }
  return 0;
}
