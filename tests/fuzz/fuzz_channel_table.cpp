// Any bytes as "channel.txt", then a station looked up in the table.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "iepg/channel_table.h"
#include "platform/code_page.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string text = DecodeCodePage932(std::string_view(reinterpret_cast<const char*>(data), size));
  ChannelTable table;
  ParseChannelTable(text, table);
  FindStation(table, text.substr(0, 8));
  return 0;
}
