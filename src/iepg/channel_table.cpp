#include "iepg/channel_table.h"

#include "platform/text_file.h"
#include "platform/code_page.h"

void ParseChannelTable(std::u16string_view text, ChannelTable& table) {
  table = ChannelTable{};
  for (const std::u16string& line : SplitTextLines(text)) {
    if (table.count == ChannelTable::kMaxRows) break;
    if (line == u"\n" || line.starts_with(u"//")) continue;
    // name,command,stations - the stations run to the end of the line, line
    // feed and further commas included. A line without two commas is no row.
    const std::size_t first = line.find(u',');
    if (first == std::u16string::npos) continue;
    const std::size_t second = line.find(u',', first + 1);
    if (second == std::u16string::npos) continue;
    ChannelEntry& row = table.rows[static_cast<std::size_t>(table.count++)];
    const std::u16string_view view = line;
    row.name = view.substr(0, first);
    row.command = view.substr(first + 1, second - first - 1);
    row.stations = view.substr(second + 1);
  }
}

void LoadChannelTableFile(std::u16string_view path, ChannelTable& table) {
  SetJapaneseCharacterLocale();
  table = ChannelTable{};
  if (const auto text = ReadCodePage932File(path)) ParseChannelTable(*text, table);
}

int FindStation(const ChannelTable& table, std::u16string_view station) {
  for (int i = 0; i < table.count; ++i) {
    if (table.rows[static_cast<std::size_t>(i)].stations.view().find(station) != std::u16string_view::npos) return i;
  }
  return -1;
}
