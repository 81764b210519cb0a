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

namespace {

// Each part of a trigger that no control shows, beside where it is kept:
// the one list of them, copied either way.
template <typename Trigger, typename Kept, typename Copy>
void EachKeptTriggerPart(Trigger& trigger, Kept& kept, Copy copy) {
  copy(trigger.flags, kept.trigger_flags);
  copy(trigger.end_year, kept.end_year);
  copy(trigger.end_month, kept.end_month);
  copy(trigger.end_day, kept.end_day);
  copy(trigger.minutes_duration, kept.minutes_duration);
  copy(trigger.minutes_interval, kept.minutes_interval);
}

}  // namespace

void KeepTriggerParts(const TaskTrigger& stored, KeptWorkItemParts& kept) {
  EachKeptTriggerPart(stored, kept, [](const auto& in_trigger, auto& in_kept) { in_kept = in_trigger; });
}

void GiveBackTriggerParts(const KeptWorkItemParts& kept, TaskTrigger& built) {
  EachKeptTriggerPart(built, kept, [](auto& in_trigger, const auto& in_kept) { in_trigger = in_kept; });
}
