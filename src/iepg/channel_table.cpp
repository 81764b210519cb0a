#include "iepg/channel_table.h"

#include "platform/code_page.h"
#include "platform/text_file.h"

namespace {

// One line of the file into the next row; false once the table is full, as
// rows past the 80th are never read.
bool TakeChannelLine(std::u16string_view line, ChannelTable& table) {
  if (line == u"\n" || line.starts_with(u"//")) return true;
  // name,command,stations - the stations run to the end of the line, line
  // feed and further commas included. A line without two commas is no row.
  const std::size_t first = line.find(u',');
  if (first == std::u16string_view::npos) return true;
  const std::size_t second = line.find(u',', first + 1);
  if (second == std::u16string_view::npos) return true;
  ChannelEntry& row = table.rows[static_cast<std::size_t>(table.count++)];
  row.name = line.substr(0, first);
  row.command = line.substr(first + 1, second - first - 1);
  row.stations = line.substr(second + 1);
  return table.count < ChannelTable::kMaxRows;
}

}  // namespace

void ParseChannelTable(std::u16string_view text, ChannelTable& table) {
  table = ChannelTable{};
  ForEachLinePiece(text, [&table](std::u16string_view line) { return TakeChannelLine(line, table); });
}

void LoadChannelTableFile(std::u16string_view path, ChannelTable& table) {
  SetJapaneseCharacterLocale();
  table = ChannelTable{};
  // A file that breaks off while it is read is treated as missing.
  if (!ReadLinePieces(path, [&table](std::u16string_view line) { return TakeChannelLine(line, table); })) {
    table = ChannelTable{};
  }
}

int FindStation(const ChannelTable& table, std::u16string_view station) {
  for (int i = 0; i < table.count; ++i) {
    if (table.rows[static_cast<std::size_t>(i)].stations.view().find(station) != std::u16string_view::npos) return i;
  }
  return -1;
}
