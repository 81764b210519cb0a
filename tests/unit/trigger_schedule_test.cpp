// The start moment with its lead, the weekday mask and the flags word.
#include "scheduler/trigger_schedule.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class TriggerSchedule : public ::testing::Test {
 protected:
  TriggerSchedule() {
    setenv("TZ", "Asia/Tokyo", 1);
    tzset();
  }
  static fw::CalendarTime Start(int year, int month, int day, int hour, int minute, int lead) {
    return *StartMoment({year, month, 0, day, 0, 0, 0}, hour, minute, lead);
  }
  static std::uint16_t Mask(std::array<int, 8> weekdays, const fw::CalendarTime& start, int lead) {
    return WeekdayMask(weekdays, start, lead);
  }
};

constexpr std::array<int, 8> kMonday{0, 1, 0, 0, 0, 0, 0, 0};

TEST_F(TriggerSchedule, TheLeadMovesTheStartAndItsDate) {
  const fw::CalendarTime march = Start(2026, 3, 5, 21, 30, 1);
  EXPECT_EQ(march.day, 5);
  EXPECT_EQ(march.hour, 21);
  EXPECT_EQ(march.minute, 29);

  const fw::CalendarTime new_year = Start(2027, 1, 1, 0, 5, 10);
  EXPECT_EQ(new_year.year, 2026);
  EXPECT_EQ(new_year.month, 12);
  EXPECT_EQ(new_year.day, 31);
  EXPECT_EQ(new_year.hour, 23);
  EXPECT_EQ(new_year.minute, 55);
}

TEST_F(TriggerSchedule, DaysMoveBackOneWhenTheLeadCrossesMidnight) {
  // Monday 7 December 2026.
  const fw::CalendarTime early = Start(2026, 12, 7, 0, 3, 5);
  EXPECT_EQ(early.day, 6);
  EXPECT_EQ(early.hour, 23);
  EXPECT_EQ(early.minute, 58);
  EXPECT_EQ(Mask(kMonday, early, 5), 0x01);
  EXPECT_EQ(Mask({1, 0, 0, 0, 0, 0, 1, 0}, early, 5), 0x60);

  const fw::CalendarTime on_the_hour = Start(2026, 12, 7, 0, 10, 10);
  EXPECT_EQ(on_the_hour.hour, 0);
  EXPECT_EQ(Mask(kMonday, on_the_hour, 10), 0x02);

  const fw::CalendarTime one_minute = Start(2026, 12, 7, 0, 0, 1);
  EXPECT_EQ(one_minute.hour, 23);
  EXPECT_EQ(one_minute.minute, 59);
  EXPECT_EQ(Mask(kMonday, one_minute, 1), 0x01);

  EXPECT_EQ(Mask({0, 1, 0, 1, 0, 1, 0, 0}, Start(2026, 12, 7, 20, 0, 1), 1), 0x2A);
  EXPECT_EQ(Mask({}, Start(2026, 12, 7, 20, 0, 1), 1), 0);
}

TEST_F(TriggerSchedule, FlagsAndTriggerRecord) {
  EXPECT_EQ(WorkItemFlags(0, 0), 0x2000u);
  EXPECT_EQ(WorkItemFlags(1, 0), 0x2002u);
  EXPECT_EQ(WorkItemFlags(0, 1), 0x3000u);
  EXPECT_EQ(WorkItemFlags(1, 1), 0x3002u);

  const fw::CalendarTime start{2026, 12, 1, 7, 23, 58, 0};
  const TaskTrigger weekly = BuildTrigger(start, 2, 0x2A);
  EXPECT_EQ(weekly.trigger_size, 48);
  EXPECT_EQ(weekly.type, 2u);
  EXPECT_EQ(weekly.weeks_interval, 1);
  EXPECT_EQ(weekly.days_of_the_week, 0x2A);
  EXPECT_EQ(weekly.flags, 0u);
  EXPECT_EQ(weekly.begin_day, 7);
  EXPECT_EQ(weekly.start_minute, 58);
  const TaskTrigger daily = BuildTrigger(start, 1, 0);
  EXPECT_EQ(daily.type, 1u);
  EXPECT_EQ(daily.days_interval, 1);
  EXPECT_EQ(BuildTrigger(start, 7, 0).type, 0u);
}

}  // namespace
