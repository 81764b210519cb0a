// The timeline's placement: lanes per tuner, blocks per recording, collision
// shading, the axis, the block under the mouse, and the zoom.
#include "reservations/views/timeline_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

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

// Each lane says which tuner it is: the profiles that use it, or the
// recorder program's file name where none does.
TEST(TimelineLayout, OneLanePerTunerThatRecordsInTheSpanNamedByItsProfiles) {
  std::vector<ReservationRow> rows = {
      Row(u"bs", u"1", u"21:00-21:30", 0, u"C:\\tv\\cap_sts_bs.exe"),
      Row(u"t2", u"2", u"21:00-21:30"),
      Row(u"t1", u"1", u"20:00-20:30"),
      Row(u"t1 again", u"1.0", u"22:00-22:30"),
      Row(u"off", u"3", u"21:00-21:30"),
      Row(u"next month", u"4", u"21:00-21:30"),
      Row(u"unnamed", u"05", u"21:00-21:30", 0, u"D:\\other\\cap_sts.exe"),
      Row(u"half", u"2.5", u"21:00-21:30", 0, u"D:\\other\\cap_sts.exe"),
  };
  rows[4].standing = Standing::Disabled;
  rows[5].item.trigger->begin_month = 1;
  rows[5].item.trigger->begin_year = 2027;
  rows[0].tuner_profile = 0;
  rows[1].tuner_profile = 2;
  rows[2].tuner_profile = rows[3].tuner_profile = 1;
  TunerOwners owners;
  const std::pair<const char16_t*, const char16_t*> profiles[] = {{u"BS", u"C:\\tv\\cap_sts_bs.exe"},
                                                                  {u"地デジ1", u"C:\\tv\\cap_sts.exe"},
                                                                  {u"地デジ2", u"C:\\tv\\cap_sts.exe"},
                                                                  {u"予備", u"C:\\TV\\CAP_STS.EXE"},
                                                                  {u"数えない", u"D:\\other\\cap_sts.exe"}};
  const char16_t* ids[] = {u"1", u"1", u"2", u"01", u"5"};
  for (int i = 0; i < 5; ++i) {
    owners.profiles[static_cast<std::size_t>(i)].title = profiles[i].first;
    owners.profiles[static_cast<std::size_t>(i)].cap_sts_path = profiles[i].second;
    owners.profiles[static_cast<std::size_t>(i)].id = ids[i];
  }
  owners.count = 4;  // the fifth is past the count
  const TimelineLayout layout = LayOutTimeline(rows, kNow, View(), owners);
  EXPECT_EQ(Labels(layout), (std::vector<std::u16string>{u"「BS」 チューナー 1", u"「地デジ1」「予備」 チューナー 1",
                                                         u"「地デジ2」 チューナー 2", u"cap_sts.exe チューナー 2.5",
                                                         u"cap_sts.exe チューナー 5"}));
  ASSERT_EQ(layout.blocks.size(), 6u);
  EXPECT_EQ(layout.blocks[0].row, 2u);  // 20:00 first, in time order
  EXPECT_EQ(layout.blocks[0].lane, layout.blocks[5].lane);
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
  // A narrow week: hours are labelled every twelve, noon between the days.
  TimelineView narrow = View(static_cast<int>(kTimelineSpan));
  narrow.width = 96 + 600;
  for (const TimelineTick& tick : LayOutTimeline({}, kNow, narrow).ticks) {
    if (!tick.day) EXPECT_EQ(tick.label, u"12");
  }
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

namespace {

// Ten tuners in a window four lanes high: tuners 1 and 2 record twice, the
// others once at 21:00.
std::vector<ReservationRow> TenLanes() {
  std::vector<ReservationRow> rows = {Row(u"a1", u"1", u"13:00-13:30"), Row(u"b1", u"1", u"23:00-23:30"),
                                      Row(u"a2", u"2", u"14:00-14:30"), Row(u"b2", u"2", u"22:00-22:30")};
  for (int tuner = 3; tuner <= 10; ++tuner) {
    const std::u16string number(1, static_cast<char16_t>(u'0' + tuner % 10));
    rows.push_back(Row(u"x" + (tuner == 10 ? u"10" : number), tuner == 10 ? u"10" : number, u"21:00-21:30"));
  }
  return rows;
}

TimelineView FourLanesHigh() {
  TimelineView view = View(120);
  view.height = 36 + 4 * 28 + 10;
  return view;
}

std::u16string NameOf(const std::vector<ReservationRow>& rows, const TimelineLayout& layout,
                      std::optional<std::size_t> block) {
  return block ? rows[layout.blocks[*block].row].item.name : u"none";
}

}  // namespace

TEST(TimelineLayout, TheKeyboardMovesAlongAndAcrossLanes) {
  const std::vector<ReservationRow> rows = TenLanes();
  const TimelineLayout layout = LayOutTimeline(rows, kNow, FourLanesHigh());
  ASSERT_EQ(layout.lanes.size(), 10u);
  const auto block = [&](std::u16string_view name) -> std::optional<std::size_t> {
    for (std::size_t i = 0; i < layout.blocks.size(); ++i)
      if (rows[layout.blocks[i].row].item.name == name) return i;
    return std::nullopt;
  };
  using enum TimelineMove;
  const struct {
    const char16_t* from;
    TimelineMove move;
    const char16_t* to;
  } cases[] = {
      {u"a1", LaneDown, u"a2"},   {u"b1", LaneDown, u"b2"}, {u"b2", LaneUp, u"b1"},     {u"a2", LaneUp, u"a1"},
      {u"b2", LaneDown, u"x3"},   {u"x3", LaneUp, u"b2"},   {u"x10", LaneDown, u"x10"}, {u"a1", LaneUp, u"a1"},
      {u"a1", PageDown, u"x5"},   {u"x10", PageUp, u"x6"},  {u"x8", PageDown, u"x10"},  {u"x5", PageUp, u"b1"},
      {u"a1", Later, u"a2"},      {u"a2", Earlier, u"a1"},  {u"x3", First, u"a1"},      {u"x3", Last, u"b1"},
      {u"none", LaneDown, u"a1"}, {u"none", LaneUp, u"b1"}, {u"none", First, u"a1"},    {u"none", Earlier, u"b1"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NameOf(rows, layout, BlockAfterMove(layout, block(c.from), c.move, LanesInView(FourLanesHigh()))), c.to)
        << std::filesystem::path(c.from) << " " << static_cast<int>(c.move);
  }
  EXPECT_EQ(BlockAfterMove(LayOutTimeline({}, kNow, FourLanesHigh()), std::nullopt, First, 4), std::nullopt);
}

// Whatever block the keyboard selects is brought into the window whole,
// and a click on it there picks it; no lane is left out below the last.
TEST(TimelineLayout, ASelectedBlockIsScrolledIntoViewAndPickedWhereItIsShown) {
  const std::vector<ReservationRow> rows = TenLanes();
  const TimelineLayout layout = LayOutTimeline(rows, kNow, FourLanesHigh());
  EXPECT_EQ(layout.time_area.bottom, FourLanesHigh().height) << "a lane cut by the window is in it";
  for (std::size_t i = 0; i < layout.blocks.size(); ++i) {
    const TimelineView shown = ViewShowing(FourLanesHigh(), layout, i, kNow);
    const TimelineLayout after = LayOutTimeline(rows, kNow, shown);
    const TimelineBlock& wanted = layout.blocks[i];
    const auto same = std::find_if(after.blocks.begin(), after.blocks.end(), [&](const TimelineBlock& b) {
      return b.row == wanted.row && b.recording == wanted.recording;
    });
    ASSERT_NE(same, after.blocks.end());
    const TimelineRect& r = same->rect;
    EXPECT_TRUE(r.top >= after.time_area.top && r.bottom <= after.time_area.bottom && r.left >= after.time_area.left &&
                r.left < after.time_area.right)
        << i;
    EXPECT_EQ(BlockAt(after, r.left + 1, r.top + 1), static_cast<std::size_t>(same - after.blocks.begin())) << i;
  }
  // As little as it takes: the tenth lane comes in at the bottom.
  for (std::size_t i = 0; i < layout.blocks.size(); ++i) {
    if (layout.blocks[i].lane == 9) EXPECT_EQ(ViewShowing(FourLanesHigh(), layout, i, kNow).top_lane, 6);
  }
  TimelineView past_the_end = FourLanesHigh();
  past_the_end.top_lane = 100;
  const TimelineLayout scrolled = LayOutTimeline(rows, kNow, past_the_end);
  EXPECT_EQ(scrolled.top_lane, 6);
  EXPECT_EQ(scrolled.lanes[9].rect.bottom, 36 + 4 * 28);
  EXPECT_EQ(BlockAt(scrolled, 200, scrolled.lanes[5].rect.top + 5), std::nullopt) << "a lane above the header";
}

// A caption too long for its block runs on to the right only where its lane
// is free: up to the next block that reaches past it.
TEST(TimelineLayout, ACaptionRunsOnOnlyIntoItsLanesFreeRoom) {
  const std::vector<ReservationRow> rows = {Row(u"A", u"1", u"21:00-22:00"), Row(u"B", u"1", u"21:30-22:30"),
                                            Row(u"C", u"1", u"23:00-23:30"), Row(u"D", u"2", u"21:00-21:10"),
                                            Row(u"E", u"1", u"21:10-21:20")};
  const TimelineLayout layout = LayOutTimeline(rows, kNow, View());
  std::map<std::u16string, std::size_t> at;
  for (std::size_t i = 0; i < layout.blocks.size(); ++i) at[rows[layout.blocks[i].row].item.name] = i;
  const auto rect = [&](const char16_t* name) { return layout.blocks[at[name]].rect; };
  const auto room = [&](const char16_t* name) { return layout.blocks[at[name]].caption_room; };
  EXPECT_EQ(room(u"A"), rect(u"A").right) << "B records on past A's end";
  EXPECT_EQ(room(u"E"), rect(u"E").right) << "A, begun before, records on past E's end";
  EXPECT_EQ(room(u"B"), rect(u"C").left);
  EXPECT_EQ(room(u"C"), layout.time_area.right);
  EXPECT_EQ(room(u"D"), layout.time_area.right) << "another lane's blocks do not count";
  EXPECT_EQ(rect(u"D").right - rect(u"D").left, 10);
  // At the week's zoom ten minutes take under two pixels; the block stays in sight.
  const TimelineLayout week = LayOutTimeline(rows, kNow, View(static_cast<int>(kTimelineSpan)));
  const TimelineRect& d = week.blocks[at[u"D"]].rect;
  EXPECT_EQ(d.right - d.left, kMinimumBlockWidth);
}

// In the day's view 右端 begins 23 h 30 after the hour and 別の番組 on its
// tuner 41 h after: a double-click near the right edge acts on 右端, where
// its first click left the view; had that click scrolled, its second would
// land on 別の番組, and acts on nothing.
TEST(TimelineLayout, ADoubleClickActsOnlyOnWhatItsFirstClickPicked) {
  const std::vector<ReservationRow> rows = {Row(u"右端", u"1", u"11:30-12:30"), Row(u"別の番組", u"1", u"05:00-06:00")};
  std::vector<ReservationRow> later = rows;
  later[0].item.trigger->begin_day = 9;   // 12/09 11:30, 23 h 30 after 12:00
  later[1].item.trigger->begin_day = 10;  // 12/10 05:00, 41 h after
  const TimelineLayout day = LayOutTimeline(later, kNow, View());
  const int x = day.time_area.right - 6, y = day.lanes[0].rect.top + 10;
  const auto first = PickAt(day, x, y);
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(later[first->row].item.name, u"右端");
  EXPECT_EQ(DoubleClickTarget(day, first, x, y), BlockAt(day, x, y));
  TimelineView scrolled = View();
  scrolled.left = ToLocalMinute(2026, 12, 9, 11, 30) - kMinutesPerDay / 4;
  const TimelineLayout moved = LayOutTimeline(later, kNow, ClampView(scrolled, kNow));
  ASSERT_TRUE(PickAt(moved, x, y).has_value());
  EXPECT_EQ(later[PickAt(moved, x, y)->row].item.name, u"別の番組");
  EXPECT_EQ(DoubleClickTarget(moved, first, x, y), std::nullopt);
  EXPECT_EQ(DoubleClickTarget(day, std::nullopt, x, y), std::nullopt) << "no first click on a block";
  EXPECT_EQ(DoubleClickTarget(day, first, day.time_area.left + 1, y), std::nullopt) << "the second beside it";
}
