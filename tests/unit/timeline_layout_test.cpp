// The timeline's placement: lanes per tuner, blocks per recording, collision
// shading, the axis, the block under the mouse, and the zoom.
#include "reservations/views/timeline_layout.h"

#include <gtest/gtest.h>

namespace {

const LocalMinute kNow = ToLocalMinute(2026, 12, 8, 12, 10);  // Tuesday
const LocalMinute kStart = ToLocalMinute(2026, 12, 8, 12, 0);

// A reservation as the viewer lists it: `type` 0 once on 8 December, 1
// daily from then; the trigger one minute before the window.
ReservationRow Row(std::u16string name, std::u16string tuner, std::u16string window, int type = 0,
                   std::u16string application = u"C:\\tv\\cap_sts.exe") {
  ReservationRow row;
  row.item.name = std::move(name);
  row.item.application = std::move(application);
  row.item.parameters = u"\"D:\\rec\\a.ts\" I" + tuner + u" @011 " + window;
  row.recorder = ReadRecorderParameters(row.item.parameters);
  const int start = std::stoi(std::string(window.begin(), window.begin() + 2)) * 60 +
                    std::stoi(std::string(window.begin() + 3, window.begin() + 5)) - 1;
  TaskTrigger trigger;
  trigger.begin_year = 2026;
  trigger.begin_month = 12;
  trigger.begin_day = 8;
  trigger.start_hour = static_cast<std::uint16_t>(start / 60);
  trigger.start_minute = static_cast<std::uint16_t>(start % 60);
  trigger.type = static_cast<std::uint32_t>(type);
  trigger.days_interval = 1;
  row.item.trigger = trigger;
  row.item.trigger_count = 1;
  return row;
}

TimelineView View(int minutes_across = static_cast<int>(kMinutesPerDay), LocalMinute left = kStart) {
  TimelineView view;
  view.width = 96 + 1440;  // a pixel a minute across a day
  view.left = left;
  view.minutes_across = minutes_across;
  return view;
}

std::vector<std::u16string> Labels(const TimelineLayout& layout) {
  std::vector<std::u16string> labels;
  for (const auto& lane : layout.lanes) labels.push_back(lane.label);
  return labels;
}

TEST(TimelineLayout, OneLanePerTunerThatRecordsInTheSpan) {
  std::vector<ReservationRow> rows = {
      Row(u"bs", u"1", u"21:00-21:30", 0, u"C:\\tv\\cap_sts_bs.exe"),
      Row(u"t2", u"2", u"21:00-21:30"),
      Row(u"t1", u"1", u"20:00-20:30"),
      Row(u"t1 again", u"1.0", u"22:00-22:30"),
      Row(u"off", u"3", u"21:00-21:30"),
      Row(u"next month", u"4", u"21:00-21:30"),
  };
  rows[4].standing = Standing::Disabled;
  rows[5].item.trigger->begin_month = 1;
  rows[5].item.trigger->begin_year = 2027;
  rows[0].tuner_text = u"BS";
  rows[0].tuner_profile = 0;
  rows[1].tuner_text = u"地デジ2";
  rows[1].tuner_profile = 2;
  rows[2].tuner_text = rows[3].tuner_text = u"地デジ1";
  rows[2].tuner_profile = rows[3].tuner_profile = 1;
  const TimelineLayout layout = LayOutTimeline(rows, kNow, View());
  EXPECT_EQ(Labels(layout), (std::vector<std::u16string>{u"BS", u"地デジ1", u"地デジ2"}));
  ASSERT_EQ(layout.blocks.size(), 4u);
  EXPECT_EQ(layout.blocks[0].row, 2u);  // 20:00 first, in time order
  EXPECT_EQ(layout.blocks[0].lane, layout.blocks[3].lane);
  EXPECT_EQ(layout.lanes[1].rect.top, 36 + 28);
}

// `count` hour-long recordings a day apart from `first`.
std::vector<Recording> Daily(LocalMinute first, int count) {
  std::vector<Recording> recordings;
  for (int day = 0; day < count; ++day)
    recordings.push_back({first + day * kMinutesPerDay, first + day * kMinutesPerDay + 60});
  return recordings;
}

std::vector<Recording> CutToSpan(std::vector<Recording> recordings) {
  for (Recording& r : recordings) r = {std::max(r.start, kStart), std::min(r.end, kStart + kTimelineSpan)};
  return recordings;
}

TEST(TimelineLayout, BlocksAreTheRecordingsCutToTheSpan) {
  const struct {
    const char* what;
    ReservationRow row;
    std::vector<Recording> blocks;
  } cases[] = {
      {"a daily series across midnight, seven times until the span ends at 12:00 on the 15th",
       Row(u"late", u"1", u"23:30-00:30", 1), Daily(ToLocalMinute(2026, 12, 8, 23, 30), 7)},
      {"a daily series running at the start of the hour and across the span's end",
       Row(u"noon", u"1", u"11:30-12:30", 1), CutToSpan(Daily(ToLocalMinute(2026, 12, 8, 11, 30), 8))},
      {"a once recording already over", Row(u"morning", u"1", u"09:00-10:00"), {}},
      {"a once recording starting now",
       Row(u"now", u"1", u"12:10-13:00"),
       {{ToLocalMinute(2026, 12, 8, 12, 10), ToLocalMinute(2026, 12, 8, 13, 0)}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ReservationRow row = c.row;
    row.item.running = true;  // only the recording under way carries the mark
    const TimelineLayout layout = LayOutTimeline({row}, kNow, View());
    for (const auto& block : layout.blocks) {
      EXPECT_EQ(block.recording_now, block.recording.start <= kNow && kNow < block.recording.end);
    }
    std::vector<Recording> blocks;
    for (const auto& block : layout.blocks) blocks.push_back(block.recording);
    EXPECT_EQ(blocks, c.blocks);
    EXPECT_EQ(layout.lanes.size(), c.blocks.empty() ? 0u : 1u);
  }
}

TEST(TimelineLayout, RedOnlyWhereOneTunerRecordsTwiceAtOnce) {
  const struct {
    const char* what;
    std::vector<ReservationRow> rows;
    std::vector<bool> collides;
    int overlap_left, overlap_right;  // of the first block's shading, a pixel a minute from 12:00
  } cases[] = {
      {"overlapping on one tuner",
       {Row(u"a", u"1", u"21:00-22:00"), Row(u"b", u"1", u"21:30-22:30")},
       {true, true},
       96 + 570,
       96 + 600},
      {"one's recorder starting a minute before the other ends",
       {Row(u"a", u"1", u"21:00-22:00"), Row(u"b", u"1", u"22:00-23:00")},
       {true, true},
       96 + 599,
       96 + 600},
      {"one's recorder starting as the other ends",
       {Row(u"a", u"1", u"21:00-21:59"), Row(u"b", u"1", u"22:00-23:00")},
       {false, false},
       0,
       0},
      {"at once on two tuners",
       {Row(u"a", u"1", u"21:00-22:00"), Row(u"b", u"2", u"21:00-22:00")},
       {false, false},
       0,
       0},
      {"at once on two programs' tuner 1",
       {Row(u"a", u"1", u"21:00-22:00"), Row(u"b", u"1", u"21:00-22:00", 0, u"C:\\bs\\cap_sts.exe")},
       {false, false},
       0,
       0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TimelineLayout layout = LayOutTimeline(c.rows, kNow, View());
    std::vector<bool> collides;
    for (const auto& block : layout.blocks) collides.push_back(block.collides);
    EXPECT_EQ(collides, c.collides);
    if (c.collides[0]) {
      ASSERT_EQ(layout.blocks[0].overlaps.size(), 1u);
      EXPECT_EQ(layout.blocks[0].overlaps[0].left, c.overlap_left);
      EXPECT_EQ(layout.blocks[0].overlaps[0].right, c.overlap_right);
      EXPECT_EQ(layout.blocks[1].overlaps, layout.blocks[0].overlaps) << "both blocks are shaded where they overlap";
    } else {
      EXPECT_TRUE(layout.blocks[0].overlaps.empty());
    }
  }
}

TEST(TimelineLayout, ThePixelWhereOneBlockEndsIsTheNextOnes) {
  const TimelineLayout layout =
      LayOutTimeline({Row(u"a", u"1", u"21:00-22:00"), Row(u"b", u"1", u"22:00-23:00")}, kNow, View());
  const int boundary = 96 + 600, middle = 36 + 14;
  const struct {
    int x, y;
    std::optional<std::size_t> block;
  } cases[] = {
      {boundary, middle, 1},
      {boundary - 1, middle, 0},
      {96 + 540, middle, 0},
      {96 + 539, middle, std::nullopt},
      {96 + 660, middle, std::nullopt},
      {boundary, 36 + 2, std::nullopt},
      {boundary, 36 + 3, 1},
      {boundary, 36 + 24, 1},
      {boundary, 36 + 25, std::nullopt},
      {50, middle, std::nullopt},  // the lane's label
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BlockAt(layout, c.x, c.y), c.block) << c.x << "," << c.y;
  }
}

TEST(TimelineLayout, TheAxisAndTheZoomStayInsideTheSpan) {
  const TimelineLayout day = LayOutTimeline({}, kNow, View());
  ASSERT_FALSE(day.ticks.empty());
  const auto midnight = std::find_if(day.ticks.begin(), day.ticks.end(), [](const auto& t) { return t.day; });
  ASSERT_NE(midnight, day.ticks.end());
  EXPECT_EQ(midnight->label, u"12/9 (水)");
  EXPECT_EQ(midnight->x, 96 + 720);
  EXPECT_EQ(day.first_day, u"12/8 (火)");
  EXPECT_EQ(day.now_x, 96 + 10);
  // The now-line only where now is in view.
  EXPECT_FALSE(LayOutTimeline({}, kNow, View(60, kStart + 60)).now_x.has_value());
  EXPECT_EQ(day.ticks[0].label, u"12");
  EXPECT_EQ(day.ticks[1].label, u"13");
  const TimelineLayout week = LayOutTimeline({}, kNow, View(static_cast<int>(kTimelineSpan)));
  EXPECT_EQ(week.ticks[1].label, u"18") << "hour labels no closer than they can be read";
  const ReservationRow late = Row(u"late", u"1", u"23:30-00:30");
  EXPECT_EQ(TimelineTip(late, {ToLocalMinute(2026, 12, 8, 23, 30), ToLocalMinute(2026, 12, 9, 0, 30)}),
            u"late\r\n12/8 (火) 23:30～00:30\r\n011\r\n状態: 録画予定");

  const TimelineView view = View();
  EXPECT_EQ(ZoomAt(view, 96 + 720, 0.001, kNow).minutes_across, kMinimumMinutesAcross);
  EXPECT_EQ(ZoomAt(view, 96 + 720, 1000, kNow).minutes_across, kTimelineSpan);
  EXPECT_EQ(ZoomAt(view, 96 + 720, 1000, kNow).left, kStart);
  const TimelineView closer = ZoomAt(view, 96 + 720, 0.5, kNow);
  EXPECT_EQ(closer.left + 720 / 2, kStart + 720) << "the minute under the mouse stays";
  EXPECT_EQ(ClampView(View(1440, kStart - 600), kNow).left, kStart);
  EXPECT_EQ(ClampView(View(1440, kStart + kTimelineSpan), kNow).left, kStart + kTimelineSpan - 1440);
}

}  // namespace
