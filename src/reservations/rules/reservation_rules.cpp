#include "reservations/rules/reservation_rules.h"

#include "platform/path_key.h"

#include <algorithm>
#include <vector>

#include "compose/c_numbers.h"
#include "compose/command_line.h"

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
  if (const auto number = ReadDecimalNumber(value)) return {number, u"", u""};
  return {std::nullopt, std::u16string(value), u""};
}

TunerId TunerOf(std::u16string_view application, std::u16string_view value) {
  TunerId tuner = TunerOf(value);
  tuner.device = PathKey(application);
  return tuner;
}

TunerId TunerOfProfile(const RecordingProfile& profile) {
  const std::u16string id = profile.id.str();
  return TunerOf(WithTunerMark(profile.cap_sts_path.str(), TunerMark(id)), ReadDecimal(id) == 0.0 ? u"" : id);
}

TunerBooking BookingOf(const StoredWorkItem& item, const RecorderParameters& recorder, Standing standing,
                       LocalMinute from, LocalMinute to) {
  TunerBooking booking;
  if (standing != Standing::Records || !recorder.window || !recorder.tuner) return booking;
  booking.tuner = TunerOf(item.application, *recorder.tuner);
  const RecordingSchedule schedule(*item.trigger, recorder.window);
  booking.recordings = schedule.RecordingsBetween(from, to);
  booking.lead = schedule.lead();
  return booking;
}
