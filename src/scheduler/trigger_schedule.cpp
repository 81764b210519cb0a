#include "scheduler/trigger_schedule.h"

#include "model/reservation_form.h"
#include "platform/local_time.h"

std::optional<fw::CalendarTime> StartMoment(const fw::CalendarTime& date, int hour, int minute, int offset_min) {
  const auto seconds = SecondsFromLocalTime({date.year, date.month, 0, date.day, hour, minute, 0});
  if (!seconds) return std::nullopt;
  return LocalTimeFromSeconds(*seconds - static_cast<std::int64_t>(offset_min) * 60);
}

std::uint16_t WeekdayMask(std::array<int, 8>& weekdays, const fw::CalendarTime& start, int offset_min) {
  const int shift = start.hour == 23 && start.minute >= 60 - offset_min ? 1 : 0;
  weekdays[7] = weekdays[0];
  std::uint16_t mask = 0;
  for (int day = 0; day < 7; ++day) {
    if (weekdays[static_cast<std::size_t>(day) + static_cast<std::size_t>(shift)] != 0)
      mask |= static_cast<std::uint16_t>(1u << day);
  }
  return mask;
}

std::uint32_t WorkItemFlags(int del_task, int resume) {
  std::uint32_t flags = kTaskFlagRunOnlyIfLoggedOn;
  if (del_task != 0) flags |= kTaskFlagDeleteWhenDone;
  if (resume != 0) flags |= kTaskFlagSystemRequired;
  return flags;
}

TaskTrigger BuildTrigger(const fw::CalendarTime& start, int repeat, std::uint16_t weekday_mask) {
  TaskTrigger trigger;
  trigger.begin_year = static_cast<std::uint16_t>(start.year);
  trigger.begin_month = static_cast<std::uint16_t>(start.month);
  trigger.begin_day = static_cast<std::uint16_t>(start.day);
  trigger.start_hour = static_cast<std::uint16_t>(start.hour);
  trigger.start_minute = static_cast<std::uint16_t>(start.minute);
  switch (repeat) {
    case kRepeatDaily:
      trigger.type = 1;
      trigger.days_interval = 1;
      break;
    case kRepeatWeekly:
      // No trigger flags: the bits old versions set here are documented as
      // nothing and nothing reads them.
      trigger.type = 2;
      trigger.weeks_interval = 1;
      trigger.days_of_the_week = weekday_mask;
      break;
    default:  // anything else is once, as the record was made
      break;
  }
  return trigger;
}

void KeepTriggerParts(const TaskTrigger& stored, KeptWorkItemParts& kept) {
  kept.trigger_flags = stored.flags;
  kept.end_year = stored.end_year;
  kept.end_month = stored.end_month;
  kept.end_day = stored.end_day;
  kept.minutes_duration = stored.minutes_duration;
  kept.minutes_interval = stored.minutes_interval;
}

void GiveBackTriggerParts(const KeptWorkItemParts& kept, TaskTrigger& built) {
  built.flags = kept.trigger_flags;
  built.end_year = kept.end_year;
  built.end_month = kept.end_month;
  built.end_day = kept.end_day;
  built.minutes_duration = kept.minutes_duration;
  built.minutes_interval = kept.minutes_interval;
}
