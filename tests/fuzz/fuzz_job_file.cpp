// Any bytes as a stored work item file, and as the cache of such files.
#include "fuzz/fuzz_input.h"
#include "reservations/stored/work_item_cache.h"
#include "scheduler/job_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FuzzInput input{data, size};
  const std::string_view bytes = input.Bytes();
  ReadStoredTrigger(bytes);
  if (const auto job = ParseJobFile(bytes)) {
    // What was read writes again and reads back the same way.
    if (!ParseJobFile(SerializeJobFile(*job))) __builtin_trap();
  }
  // A cache keeping the file under any name gives it back whole.
  const WorkItemCache cache{u"C:\\WINDOWS\\Tasks", {{input.Units().substr(0, 1000), 1, std::string(bytes)}}};
  if (DecodeWorkItemCache(EncodeWorkItemCache(cache)) != cache) __builtin_trap();
  DecodeWorkItemCache(bytes);
  return 0;
}
