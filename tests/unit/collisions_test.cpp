// Two reservations that need one tuner at the same time.
#include "reservations/tuners/collisions.h"
#include "reservations/rules/reservation_rules.h"

#include <gtest/gtest.h>

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
          schedule.RecordingsBetween(kNow, kNow + kCollisionHorizon)};
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

TEST(Collisions, TheSameTimesOnTwoTunersOrWindowsThatOnlyTouchDoNot) {
  EXPECT_TRUE(FindCollisions({Booking(u"2", Trigger(0, 10, 20, 59), At(21, 0), At(22, 0)),
                              Booking(u"3", Trigger(0, 10, 20, 59), At(21, 0), At(22, 0))})
                  .empty());
  EXPECT_TRUE(FindCollisions({Booking(u"2", Trigger(0, 10, 20, 59), At(21, 0), At(22, 0)),
                              Booking(u"2", Trigger(0, 10, 21, 59), At(22, 0), At(23, 0))})
                  .empty());
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

}  // namespace
