// Any title through the bracket clean-up: never longer than before.
#include "compose/title_cleanup.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::u16string title = FuzzInput{data, size}.Units();
  const std::size_t before = title.size();
  CleanTitle(title);
  if (title.size() > before) __builtin_trap();
  return 0;
}
