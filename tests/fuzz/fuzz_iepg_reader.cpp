// Any bytes as a reservation file: the reader accepts or rejects them and
// never reads or writes out of bounds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "iepg/iepg_reader.h"
#include "platform/code_page.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string text = DecodeCodePage932(std::string_view(reinterpret_cast<const char*>(data), size));
  IepgReadContext context;
  context.today = {2026, 12, 2, 8, 0, 0, 0};
  context.system_root = u"/nonexistent-system-root";
  ProgramInfo info;
  ReservationForm form;
  ReadIepgText(text, info, form, context);
  return 0;
}
