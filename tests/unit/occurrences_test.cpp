// When a stored work item records: its next start and its recordings, with
// the lead's step back over midnight undone.
#include "reservations/rules/occurrences.h"

#include <gtest/gtest.h>

namespace {

TaskTrigger Trigger(int type, int year, int month, int day, int hour, int minute, int days_of_the_week = 0) {
  TaskTrigger trigger;
  trigger.type = static_cast<std::uint32_t>(type);
  trigger.begin_year = static_cast<std::uint16_t>(year);
  trigger.begin_month = static_cast<std::uint16_t>(month);
  trigger.begin_day = static_cast<std::uint16_t>(day);
  trigger.start_hour = static_cast<std::uint16_t>(hour);
  trigger.start_minute = static_cast<std::uint16_t>(minute);
  trigger.days_interval = type == 1 ? 1 : 0;
  trigger.weeks_interval = type == 2 ? 1 : 0;
  trigger.days_of_the_week = static_cast<std::uint16_t>(days_of_the_week);
  return trigger;
}

RecordingWindow Window(int start_hour, int start_minute, int end_hour, int end_minute) {
  return {start_hour * 60 + start_minute, end_hour * 60 + end_minute};
}

const LocalMinute kNow = ToLocalMinute(2026, 12, 8, 12, 0);  // Tuesday noon

TEST(LocalMinutes, CountWallClockMinutesAndKnowTheirWeekday) {
  for (const fw::CalendarTime& time :
       {fw::CalendarTime{2026, 12, 2, 8, 21, 30, 0}, fw::CalendarTime{2028, 2, 2, 29, 0, 0, 0},
        fw::CalendarTime{2000, 2, 2, 29, 12, 0, 0}, fw::CalendarTime{2026, 5, 5, 1, 8, 0, 0},
        fw::CalendarTime{2027, 1, 2, 5, 9, 0, 0}, fw::CalendarTime{1969, 12, 4, 25, 0, 0, 0},
        fw::CalendarTime{1969, 12, 3, 31, 23, 59, 0}, fw::CalendarTime{2100, 3, 1, 1, 7, 5, 0}}) {
    EXPECT_EQ(ToCalendarTime(ToLocalMinute(time)), time) << time.year;
  }
  EXPECT_EQ(ToLocalMinute(1970, 1, 1), 0);
  EXPECT_EQ(ToLocalMinute(2026, 12, 9) - ToLocalMinute(2026, 12, 8), kMinutesPerDay);
}

TEST(RecordingSchedule, TheNextStartOfOnceDailyAndWeeklyItems) {
  const struct {
    const char* what;
    TaskTrigger trigger;
    RecordingWindow window;
    LocalMinute next;
  } cases[] = {
      {"once, ahead", Trigger(0, 2026, 12, 10, 21, 29), Window(21, 30, 22, 0), ToLocalMinute(2026, 12, 10, 21, 30)},
      {"once, past", Trigger(0, 2026, 12, 1, 21, 29), Window(21, 30, 22, 0), ToLocalMinute(2026, 12, 1, 21, 30)},
      {"once, the lead crossed midnight", Trigger(0, 2026, 12, 9, 23, 55), Window(0, 5, 1, 0),
       ToLocalMinute(2026, 12, 10, 0, 5)},
      {"daily, today's still ahead", Trigger(1, 2026, 12, 1, 20, 59), Window(21, 0, 21, 54),
       ToLocalMinute(2026, 12, 8, 21, 0)},
      {"daily, today's begun", Trigger(1, 2026, 12, 1, 11, 59), Window(12, 0, 13, 0),
       ToLocalMinute(2026, 12, 8, 12, 0)},
      {"daily, today's past", Trigger(1, 2026, 12, 1, 8, 59), Window(9, 0, 10, 0), ToLocalMinute(2026, 12, 9, 9, 0)},
      {"daily, beginning later", Trigger(1, 2027, 1, 5, 8, 59), Window(9, 0, 10, 0), ToLocalMinute(2027, 1, 5, 9, 0)},
      {"weekly, Monday Wednesday Friday", Trigger(2, 2026, 11, 2, 21, 29, 0x2A), Window(21, 30, 22, 0),
       ToLocalMinute(2026, 12, 9, 21, 30)},
      // Registered for Monday and Wednesday at 00:05 with a lead of 10: the
      // trigger fires on Sunday and Tuesday at 23:55.
      {"weekly, the lead crossed midnight", Trigger(2, 2026, 11, 1, 23, 55, 0x05), Window(0, 5, 0, 35),
       ToLocalMinute(2026, 12, 9, 0, 5)},
  };
  for (const auto& c : cases) {
    const RecordingSchedule schedule(c.trigger, c.window);
    EXPECT_EQ(schedule.NextStart(kNow), c.next) << c.what << ": " << ToCalendarTime(*schedule.NextStart(kNow)).day;
  }
  EXPECT_FALSE(RecordingSchedule(Trigger(2, 2026, 11, 2, 21, 29, 0), Window(21, 30, 22, 0)).NextStart(kNow));
  EXPECT_FALSE(RecordingSchedule(Trigger(4, 2026, 11, 2, 21, 29), Window(21, 30, 22, 0)).NextStart(kNow));
  // Without a window it records at the trigger's start.
  EXPECT_EQ(RecordingSchedule(Trigger(0, 2026, 12, 10, 21, 29), std::nullopt).NextStart(kNow),
            ToLocalMinute(2026, 12, 10, 21, 29));
}

TEST(RecordingSchedule, BroadcastWeekdaysUndoTheLeadsStepBack) {
  EXPECT_EQ(RecordingSchedule(Trigger(2, 2026, 11, 1, 21, 29, 0x2A), Window(21, 30, 22, 0)).BroadcastWeekdays(), 0x2A);
  EXPECT_EQ(RecordingSchedule(Trigger(2, 2026, 11, 1, 23, 55, 0x41), Window(0, 5, 1, 0)).BroadcastWeekdays(), 0x03);
  EXPECT_EQ(RecordingSchedule(Trigger(2, 2026, 11, 1, 23, 50, 0x02), Window(0, 0, 1, 0)).BroadcastWeekdays(), 0x04);
}

TEST(RecordingSchedule, RecordingsOverlappingARange) {
  const RecordingSchedule daily(Trigger(1, 2026, 12, 1, 23, 29), Window(23, 30, 0, 30));
  const auto recordings = daily.RecordingsBetween(ToLocalMinute(2026, 12, 8, 0, 0), ToLocalMinute(2026, 12, 10, 0, 0));
  // The one that began the evening before runs into the range.
  ASSERT_EQ(recordings.size(), 3u);
  EXPECT_EQ(recordings[0], (Recording{ToLocalMinute(2026, 12, 7, 23, 30), ToLocalMinute(2026, 12, 8, 0, 30)}));
  EXPECT_EQ(recordings[2].start, ToLocalMinute(2026, 12, 9, 23, 30));

  TaskTrigger two_days = Trigger(1, 2026, 12, 1, 9, 0);
  two_days.days_interval = 2;
  EXPECT_EQ(RecordingSchedule(two_days, Window(9, 0, 9, 30))
                .RecordingsBetween(ToLocalMinute(2026, 12, 1), ToLocalMinute(2026, 12, 8))
                .size(),
            4u);
  two_days.days_interval = 3;
  const auto every_third = RecordingSchedule(two_days, Window(9, 0, 9, 30))
                               .RecordingsBetween(ToLocalMinute(2026, 12, 1), ToLocalMinute(2026, 12, 8));
  ASSERT_EQ(every_third.size(), 3u);
  EXPECT_EQ(ToCalendarTime(every_third[1].start).day, 4);
  // A range that ends within a day takes that day's recording before its end.
  EXPECT_EQ(RecordingSchedule(Trigger(1, 2026, 12, 1, 9, 0), Window(9, 0, 9, 30))
                .RecordingsBetween(ToLocalMinute(2026, 12, 8), ToLocalMinute(2026, 12, 9, 12, 0))
                .size(),
            2u);
  TaskTrigger fortnightly = Trigger(2, 2026, 11, 30, 9, 0, 0x02);  // Mondays, every second week
  fortnightly.weeks_interval = 2;
  const auto mondays = RecordingSchedule(fortnightly, Window(9, 0, 9, 30))
                           .RecordingsBetween(ToLocalMinute(2026, 11, 30), ToLocalMinute(2026, 12, 29));
  ASSERT_EQ(mondays.size(), 3u);
  EXPECT_EQ(ToCalendarTime(mondays[1].start).day, 14);
  fortnightly.weeks_interval = 3;
  const auto every_third_week = RecordingSchedule(fortnightly, Window(9, 0, 9, 30))
                                    .RecordingsBetween(ToLocalMinute(2026, 11, 30), ToLocalMinute(2026, 12, 29));
  ASSERT_EQ(every_third_week.size(), 2u);
  EXPECT_EQ(ToCalendarTime(every_third_week[1].start).day, 21);
  EXPECT_EQ(RecordingSchedule(Trigger(0, 2026, 12, 9, 9, 0), Window(9, 0, 9, 30))
                .RecordingsBetween(ToLocalMinute(2026, 12, 1), ToLocalMinute(2026, 12, 31))
                .size(),
            1u);
  // A range that begins as a recording ends takes none of it; a recording
  // of no length (no window) counts where it starts.
  const TaskTrigger at_nine = Trigger(0, 2026, 12, 9, 9, 0);
  EXPECT_TRUE(RecordingSchedule(at_nine, Window(9, 0, 9, 30))
                  .RecordingsBetween(ToLocalMinute(2026, 12, 9, 9, 30), ToLocalMinute(2026, 12, 10))
                  .empty());
  EXPECT_EQ(RecordingSchedule(at_nine, std::nullopt)
                .RecordingsBetween(ToLocalMinute(2026, 12, 9, 9, 0), ToLocalMinute(2026, 12, 10))
                .size(),
            1u);
  // A series records up to its end date, where it has one in use.
  TaskTrigger until_the_3rd = Trigger(1, 2026, 12, 1, 9, 0);
  until_the_3rd.end_year = 2026;
  until_the_3rd.end_month = 12;
  until_the_3rd.end_day = 3;
  for (const std::uint32_t flags : {0x1u, 0x0u}) {
    until_the_3rd.flags = flags;
    EXPECT_EQ(RecordingSchedule(until_the_3rd, Window(9, 0, 9, 30))
                  .RecordingsBetween(ToLocalMinute(2026, 12, 1), ToLocalMinute(2026, 12, 8))
                  .size(),
              flags != 0 ? 3u : 7u);
  }
}

}  // namespace
