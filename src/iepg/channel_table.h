#pragma once

#include <array>
#include <string>
#include <string_view>

#include "model/fixed_text.h"

// One row of "channel.txt": what the channel list shows, the channel
// command the recorder takes, and the station names of iEPG files that
// mean this channel.
struct ChannelEntry {
  FixedText<32> name;
  FixedText<10> command;
  FixedText<128> stations;
};

struct ChannelTable {
  static constexpr int kMaxRows = 80;
  std::array<ChannelEntry, kMaxRows> rows{};
  int count = 0;
};

// Fills the table from the lines of a channel table file. Rows past the
// 80th are ignored.
void ParseChannelTable(std::u16string_view text, ChannelTable& table);

// Reads "channel.txt" at `path`, opened for reading only: the program never
// writes it. A missing file leaves the table empty.
void LoadChannelTableFile(std::u16string_view path, ChannelTable& table);

// The first row whose station names contain `station`; -1 when none does.
int FindStation(const ChannelTable& table, std::u16string_view station);
