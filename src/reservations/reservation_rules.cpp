#include "reservations/reservation_rules.h"

#include "compose/c_numbers.h"

namespace {

LocalMinute EndDateOf(const TaskTrigger& trigger) {
  return ToLocalMinute(trigger.end_year, trigger.end_month, trigger.end_day);
}

}  // namespace

bool TriggerCanBeRead(const TaskTrigger& trigger) {
  return trigger.begin_year >= 1601 && trigger.begin_year <= 30827 && trigger.begin_month >= 1 &&
         trigger.begin_month <= 12 && trigger.begin_day >= 1 && trigger.begin_day <= 31 && trigger.start_hour < 24 &&
         trigger.start_minute < 60;
}

Standing StandingOf(const StoredWorkItem& item, const std::optional<RecordingWindow>& window, LocalMinute now) {
  if ((item.flags & kTaskFlagDisabled) != 0) return Standing::Disabled;
  if (!item.trigger) return Standing::NoTrigger;
  const TaskTrigger& trigger = *item.trigger;
  if ((trigger.flags & kTriggerFlagDisabled) != 0) return Standing::Disabled;
  if (!TriggerCanBeRead(trigger)) return Standing::NoTrigger;
  const RecordingSchedule schedule(trigger, window);
  if (schedule.once()) {
    return *schedule.NextStart(now) + schedule.duration() <= now ? Standing::Ended : Standing::Records;
  }
  // A series with an end date ends when its last recording does: the last
  // one the trigger starts on or before that date may run past midnight.
  if ((trigger.flags & kTriggerFlagHasEndDate) != 0 &&
      schedule.RecordingsBetween(now, EndDateOf(trigger) + 2 * kMinutesPerDay).empty()) {
    return Standing::Ended;
  }
  return Standing::Records;
}

TunerId TunerOf(std::u16string_view value) {
  if (const auto number = ReadDecimalNumber(value)) return {number, u""};
  return {std::nullopt, std::u16string(value)};
}

TunerBooking BookingOf(const StoredWorkItem& item, const RecorderParameters& recorder, Standing standing,
                       LocalMinute from, LocalMinute to) {
  TunerBooking booking;
  if (standing != Standing::Records || !recorder.window || !recorder.tuner) return booking;
  booking.tuner = TunerOf(*recorder.tuner);
  booking.recordings = RecordingSchedule(*item.trigger, recorder.window).RecordingsBetween(from, to);
  return booking;
}
