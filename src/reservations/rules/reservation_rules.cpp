#include "reservations/rules/reservation_rules.h"

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
  tuner.device = FullPathFolded(application);
  return tuner;
}

TunerId TunerOfProfile(const RecordingProfile& profile) {
  const std::u16string id = profile.id.str();
  return TunerOf(WithTunerMark(profile.cap_sts_path.str(), TunerMark(id)), ReadDecimal(id) == 0.0 ? u"" : id);
}

std::u16string FullPathFolded(std::u16string_view path) {
  // "\\server\share" keeps its two leading separators, "\folder" its one.
  const std::size_t first = path.find_first_not_of(u"\\/");
  std::size_t at = first == std::u16string_view::npos ? path.size() : first;
  const std::size_t root = std::min<std::size_t>(at, 2);
  std::vector<std::u16string> parts;
  while (at < path.size()) {
    std::size_t end = path.find_first_of(u"\\/", at);
    if (end == std::u16string_view::npos) end = path.size();
    std::u16string part(path.substr(at, end - at));
    at = end + 1;
    if (part == u"..") {
      if (parts.size() > 1) parts.pop_back();
      continue;
    }
    while (!part.empty() && (part.back() == u'.' || part.back() == u' ')) part.pop_back();
    if (part.empty()) continue;
    for (char16_t& c : part) {
      if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    parts.push_back(std::move(part));
  }
  std::u16string full(root, u'\\');
  for (std::size_t i = 0; i < parts.size(); ++i) full += (i == 0 ? u"" : u"\\") + parts[i];
  return full;
}

TunerBooking BookingOf(const StoredWorkItem& item, const RecorderParameters& recorder, Standing standing,
                       LocalMinute from, LocalMinute to) {
  TunerBooking booking;
  if (standing != Standing::Records || !recorder.window || !recorder.tuner) return booking;
  booking.tuner = TunerOf(item.application, *recorder.tuner);
  booking.recordings = RecordingSchedule(*item.trigger, recorder.window).RecordingsBetween(from, to);
  return booking;
}
