// Two reservations that need one tuner at the same time.
#include "reservations/tuners/collisions.h"
#include "reservations/rules/reservation_rules.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "reservations/tuners/planned_collisions.h"
#include "reservations/views/timeline_layout.h"

#include "support/december_trigger.h"

namespace {

const LocalMinute kNow = ToLocalMinute(2026, 12, 8, 12, 0);  // Tuesday noon

TaskTrigger Trigger(int type, int day, int hour, int minute, int days_of_the_week = 0) {
  return DecemberTrigger(type, day, hour, minute, days_of_the_week);
}

// A booking as the viewer makes one: the recordings of the next 14 days.
TunerBooking Booking(std::optional<std::u16string> tuner, const TaskTrigger& trigger, int start, int end) {
  const RecordingSchedule schedule(trigger, RecordingWindow{start, end});
  return {tuner ? std::optional(TunerOf(*tuner)) : std::nullopt,
          schedule.RecordingsBetween(kNow, kNow + kCollisionHorizon), schedule.lead()};
}

constexpr int At(int hour, int minute) { return hour * 60 + minute; }

TEST(Collisions, OverlappingRecordingsOnOneTuner) {
  const auto found = FindCollisions({Booking(u"2", Trigger(0, 10, 20, 59), At(21, 0), At(21, 54)),
                                     Booking(u"3", Trigger(0, 10, 21, 29), At(21, 30), At(22, 0)),
                                     Booking(u"2", Trigger(0, 10, 21, 29), At(21, 30), At(22, 0))});
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0], (Collision{0, 2, ToLocalMinute(2026, 12, 10, 21, 30), ToLocalMinute(2026, 12, 10, 21, 54)}));
  const auto later = FindCollisions({Booking(u"4", Trigger(0, 10, 20, 59), At(21, 0), At(21, 54)),
                                     Booking(u"2", Trigger(0, 10, 20, 59), At(21, 0), At(21, 54)),
                                     Booking(u"2", Trigger(0, 10, 21, 29), At(21, 30), At(22, 0))});
  ASSERT_EQ(later.size(), 1u);
  EXPECT_EQ(later[0].first, 1u);
  EXPECT_EQ(later[0].second, 2u);
}

// A recording holds its tuner from its recorder's start, the lead before it.
TEST(Collisions, ARecorderStartingBeforeTheOtherEndsCollidesAndTouchingHoldsDoNot) {
  EXPECT_TRUE(FindCollisions({Booking(u"2", Trigger(0, 10, 20, 59), At(21, 0), At(22, 0)),
                              Booking(u"3", Trigger(0, 10, 20, 59), At(21, 0), At(22, 0))})
                  .empty());
  const auto back_to_back = FindCollisions({Booking(u"2", Trigger(0, 10, 20, 58), At(21, 0), At(22, 0)),
                                            Booking(u"2", Trigger(0, 10, 21, 58), At(22, 0), At(23, 0))});
  EXPECT_EQ(back_to_back,
            (std::vector<Collision>{{0, 1, ToLocalMinute(2026, 12, 10, 21, 58), ToLocalMinute(2026, 12, 10, 22, 0)}}));
  EXPECT_TRUE(FindCollisions({Booking(u"2", Trigger(0, 10, 20, 58), At(21, 0), At(21, 58)),
                              Booking(u"2", Trigger(0, 10, 21, 58), At(22, 0), At(23, 0))})
                  .empty());
  // A recording of no length holds its tuner for its lead.
  EXPECT_EQ(FindCollisions({Booking(u"2", Trigger(0, 10, 20, 58), At(21, 0), At(22, 0)),
                            Booking(u"2", Trigger(0, 10, 21, 28), At(21, 30), At(21, 30))})
                .size(),
            1u);
  // A daily recording of 23 h 55 min started ten minutes ahead holds its
  // tuner into its own next day: a reservation never collides with itself.
  EXPECT_TRUE(FindCollisions({Booking(u"2", Trigger(1, 10, 20, 50), At(21, 0), At(20, 55))}).empty());
}

TEST(Collisions, EveryRecordingOfARepeatingReservationCounts) {
  // Weekly on Monday and Friday against a once-item on Friday 18 December.
  const auto weekly = FindCollisions({Booking(u"1", Trigger(2, 1, 18, 59, 0x22), At(19, 0), At(20, 0)),
                                      Booking(u"1", Trigger(0, 18, 19, 29), At(19, 30), At(19, 45))});
  ASSERT_EQ(weekly.size(), 1u);
  EXPECT_EQ(weekly[0].from, ToLocalMinute(2026, 12, 18, 19, 30));
  // Beyond the next 14 days nothing is looked at.
  EXPECT_TRUE(FindCollisions({Booking(u"1", Trigger(1, 1, 18, 59), At(19, 0), At(20, 0)),
                              Booking(u"1", Trigger(0, 23, 19, 29), At(19, 30), At(19, 45))})
                  .empty());
}

TEST(Collisions, AWindowAcrossMidnightMeetsTheNextDaysEarlyRecording) {
  const auto found = FindCollisions({Booking(u"", Trigger(0, 9, 23, 29), At(23, 30), At(0, 30)),
                                     Booking(u"", Trigger(0, 9, 23, 55), At(0, 5), At(0, 20))});
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].from, ToLocalMinute(2026, 12, 10, 0, 5));
  EXPECT_EQ(found[0].to, ToLocalMinute(2026, 12, 10, 0, 20));
}

TEST(Collisions, TheDefaultTunerIsOneTunerAndAnUnknownOneNone) {
  EXPECT_EQ(FindCollisions({Booking(u"", Trigger(0, 10, 20, 59), At(21, 0), At(22, 0)),
                            Booking(u"", Trigger(0, 10, 20, 59), At(21, 0), At(22, 0))})
                .size(),
            1u);
  EXPECT_TRUE(FindCollisions({Booking(std::nullopt, Trigger(0, 10, 20, 59), At(21, 0), At(22, 0)),
                              Booking(std::nullopt, Trigger(0, 10, 20, 59), At(21, 0), At(22, 0))})
                  .empty());
  EXPECT_TRUE(FindCollisions({Booking(u"", Trigger(0, 10, 20, 59), At(21, 0), At(22, 0)),
                              Booking(u"1", Trigger(0, 10, 20, 59), At(21, 0), At(22, 0))})
                  .empty());
}

// Random stored reservations, each of them also the one planned: the pairs
// the question finds, the pairs the list marks 重複 and the rows the
// timeline paints red are the same.
TEST(Collisions, EveryViewFindsTheSamePairs) {
  std::mt19937 random(29);
  const auto draw = [&random](int below) { return static_cast<int>(random() % static_cast<unsigned>(below)); };
  const LocalMinute now = ToLocalMinute(2026, 12, 8, 12, 10);
  for (int round = 0; round < 200; ++round) {
    std::vector<StoredWorkItem> items;
    for (int i = 0; i < 6; ++i) {
      // Once or daily, starting within the next six days, after now.
      const LocalMinute start = ToLocalMinute(2026, 12, 8, 13) + draw(6 * 24 * 4) * 15 + draw(3);
      const int lead = draw(4), length = draw(5) * 15;
      const fw::CalendarTime trigger = ToCalendarTime(start - lead);
      StoredWorkItem& item = items.emplace_back();
      item.name = std::u16string(1, static_cast<char16_t>(u'A' + i));
      item.application = draw(4) == 0 ? u"C:\\tv\\cap_sts_bs.exe" : u"C:\\tv\\cap_sts.exe";
      item.parameters =
          u"\"D:\\x.ts\" I" + std::u16string(draw(2) == 0 ? u"1" : u"01") + u" @011 " +
          FormatWindow({static_cast<int>(start % kMinutesPerDay), static_cast<int>((start + length) % kMinutesPerDay)});
      item.trigger = DecemberTrigger(draw(3) == 0 ? 1 : 0, trigger.day, trigger.hour, trigger.minute);
      item.trigger_count = 1;
      item.flags = 0x2000;
    }
    using Pair = std::pair<std::u16string, std::u16string>;
    const auto ordered = [](std::u16string a, std::u16string b) { return a < b ? Pair{a, b} : Pair{b, a}; };
    std::set<Pair> listed, asked;
    std::set<std::u16string> red_rows, listed_rows;
    const std::vector<ReservationRow> rows = ListReservations(items, {}, ChannelTable{}, now);
    for (const ReservationRow& row : rows) {
      for (const RowCollision& c : row.collisions) listed.insert(ordered(row.item.name, c.other));
      if (!row.collisions.empty()) listed_rows.insert(row.item.name);
    }
    for (const StoredWorkItem& item : items) {
      const PlannedReservation planned{item.name, *item.trigger, item.parameters, item.flags, item.application};
      for (const PlannedCollision& c : FindPlannedCollisions(planned, items, {}, now))
        asked.insert(ordered(item.name, c.other));
    }
    TimelineView view;
    view.width = 2000;
    view.left = TimelineStart(now);
    for (const TimelineBlock& block : LayOutTimeline(rows, now, view).blocks) {
      if (block.collides) red_rows.insert(rows[block.row].item.name);
    }
    EXPECT_EQ(asked, listed) << "round " << round;
    EXPECT_EQ(red_rows, listed_rows) << "round " << round;
  }
}

}  // namespace
