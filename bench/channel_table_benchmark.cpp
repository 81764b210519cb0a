// Finding a reservation's station in a full channel table (80 rows, the
// station in the last one), as applying every reservation does.
#include <benchmark/benchmark.h>

#include <string>

#include "iepg/channel_table.h"

namespace {

void BM_FindStationInFullTable(benchmark::State& state) {
  std::u16string text;
  for (int i = 0; i < ChannelTable::kMaxRows; ++i) {
    const std::string digits = std::to_string(100 + i);
    const std::u16string number(digits.begin(), digits.end());
    text += u"局" + number + u"," + number + u",DFS00" + number + u" テレビ局" + number + u"放送 HD\n";
  }
  ChannelTable table;
  ParseChannelTable(text, table);
  for (auto _ : state) benchmark::DoNotOptimize(FindStation(table, u"テレビ局179放送"));
}
BENCHMARK(BM_FindStationInFullTable);

}  // namespace
