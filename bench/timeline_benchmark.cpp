// Placing 1000 reservations over the timeline's seven days, as every paint
// of the タイムライン does: a third of them daily series, on four tuners.
#include <benchmark/benchmark.h>

#include <string>

#include "reservations/views/timeline_layout.h"

namespace {

std::vector<ReservationRow> ThousandReservations() {
  std::vector<ReservationRow> rows;
  for (int i = 0; i < 1000; ++i) {
    ReservationRow& row = rows.emplace_back();
    row.item.name = u"番組" + std::u16string(1, static_cast<char16_t>(u'0' + i % 10));
    row.item.application = u"C:\\tv\\cap_sts.exe";
    const int start = (i * 37) % (24 * 60);
    const std::u16string tuner(1, static_cast<char16_t>(u'1' + i % 4));
    row.item.parameters = u"\"D:\\rec\\a.ts\" I" + tuner + u" @011 " + FormatWindow({start, (start + 30) % (24 * 60)});
    row.recorder = ReadRecorderParameters(row.item.parameters);
    TaskTrigger trigger;
    trigger.begin_year = 2026;
    trigger.begin_month = 12;
    trigger.begin_day = static_cast<std::uint16_t>(8 + i % 7);
    trigger.start_hour = static_cast<std::uint16_t>(start / 60);
    trigger.start_minute = static_cast<std::uint16_t>(start % 60);
    trigger.type = i % 3 == 0 ? 1 : 0;
    trigger.days_interval = 1;
    row.item.trigger = trigger;
    row.item.trigger_count = 1;
  }
  return rows;
}

void BM_LayOutThousandReservationsOverAWeek(benchmark::State& state) {
  const std::vector<ReservationRow> rows = ThousandReservations();
  const LocalMinute now = ToLocalMinute(2026, 12, 8, 12, 10);
  TimelineView view;
  view.width = 1280;
  view.left = TimelineStart(now);
  view.minutes_across = static_cast<int>(kTimelineSpan);
  std::size_t blocks = 0;
  for (auto _ : state) {
    const TimelineLayout layout = LayOutTimeline(rows, now, view);
    blocks = layout.blocks.size();
    benchmark::DoNotOptimize(layout.blocks.data());
  }
  state.counters["blocks"] = static_cast<double>(blocks);
}
BENCHMARK(BM_LayOutThousandReservationsOverAWeek)->Unit(benchmark::kMillisecond);

}  // namespace
