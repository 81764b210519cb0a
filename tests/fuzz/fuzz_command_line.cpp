// Any text as the command line after the program name.
#include "dialog/command_line_scan.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string text = FuzzInput{data, size}.Units();
  const CommandLineRequest request = ScanCommandLine(text);
  if (request.file_argument &&
      request.file_argument->data() + request.file_argument->size() != text.data() + text.size()) {
    __builtin_trap();  // the file argument always runs to the end of the line
  }
  return 0;
}
