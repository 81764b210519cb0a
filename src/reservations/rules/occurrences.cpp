#include "reservations/rules/occurrences.h"

#include <algorithm>

namespace {

// Days since 1 January 1970 of a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t year_of_era = year - era * 400;
  const std::int64_t day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); }

// 0 Sunday to 6 Saturday; 1 January 1970 was a Thursday.
int Weekday(std::int64_t day) { return static_cast<int>(day - FloorDiv(day + 4, 7) * 7 + 4); }

constexpr int kOnce = 0, kDaily = 1, kWeekly = 2;

}  // namespace

LocalMinute ToLocalMinute(int year, int month, int day, int hour, int minute) {
  return DaysFromCivil(year, month, day) * kMinutesPerDay + LocalMinute{hour} * 60 + minute;
}

LocalMinute ToLocalMinute(const fw::CalendarTime& time) {
  return ToLocalMinute(time.year, time.month, time.day, time.hour, time.minute);
}

fw::CalendarTime ToCalendarTime(LocalMinute minute) {
  const std::int64_t days = FloorDiv(minute, kMinutesPerDay);
  const auto of_day = static_cast<int>(minute - days * kMinutesPerDay);
  const std::int64_t shifted = days + 719468;
  const std::int64_t era = (shifted >= 0 ? shifted : shifted - 146096) / 146097;
  const std::int64_t day_of_era = shifted - era * 146097;
  const std::int64_t year_of_era = (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const std::int64_t day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t month_index = (5 * day_of_year + 2) / 153;
  const int day = static_cast<int>(day_of_year - (153 * month_index + 2) / 5 + 1);
  const int month = static_cast<int>(month_index < 10 ? month_index + 3 : month_index - 9);
  const int year = static_cast<int>(year_of_era + era * 400 + (month <= 2 ? 1 : 0));
  return {year, month, Weekday(days), day, of_day / 60, of_day % 60, 0};
}

RecordingSchedule::RecordingSchedule(const TaskTrigger& trigger, std::optional<RecordingWindow> window)
    : trigger_(trigger),
      first_day_(DaysFromCivil(trigger.begin_year, trigger.begin_month, trigger.begin_day)),
      trigger_minute_(trigger.start_hour * 60 + trigger.start_minute) {
  if (window) {
    delay_ = MinutesOnTheClock(trigger_minute_, window->start);
    duration_ = window->minutes();
  }
}

// For days from the trigger's begin date on, up to its end date if it has one.
bool RecordingSchedule::FiresOn(LocalMinute day) const {
  if ((trigger_.flags & kTriggerFlagHasEndDate) != 0 &&
      day > DaysFromCivil(trigger_.end_year, trigger_.end_month, trigger_.end_day)) {
    return false;
  }
  switch (trigger_.type) {
    case kOnce:
      return day == first_day_;
    case kDaily:
      return (day - first_day_) % std::max<int>(trigger_.days_interval, 1) == 0;
    case kWeekly: {
      // Weeks counted from the one the trigger begins in, Sunday first.
      const std::int64_t weeks = FloorDiv(day - Weekday(day), 7) - FloorDiv(first_day_ - Weekday(first_day_), 7);
      return (trigger_.days_of_the_week >> Weekday(day) & 1) != 0 &&
             weeks % std::max<int>(trigger_.weeks_interval, 1) == 0;
    }
    default:
      return false;
  }
}

std::vector<Recording> RecordingSchedule::RecordingsBetween(LocalMinute from, LocalMinute to) const {
  std::vector<Recording> recordings;
  // A recording that overlaps the range began at most a day and its length
  // before it (the delay and the duration are each under a day).
  const LocalMinute first = std::max(first_day_, FloorDiv(from, kMinutesPerDay) - 2);
  const LocalMinute last = FloorDiv(to, kMinutesPerDay);
  for (LocalMinute day = first; day <= last; ++day) {
    if (!FiresOn(day)) continue;
    const LocalMinute start = day * kMinutesPerDay + trigger_minute_ + delay_;
    const LocalMinute end = start + duration_;
    // One of no length counts where it starts.
    if (start < to && std::max(end, start + 1) > from) recordings.push_back({start, end});
    if (once()) break;
  }
  return recordings;
}

std::optional<LocalMinute> RecordingSchedule::NextStart(LocalMinute now) const {
  if (once()) return first_day_ * kMinutesPerDay + trigger_minute_ + delay_;
  // Within a year every daily and weekly trigger that fires at all has.
  const LocalMinute from = std::max(now, first_day_ * kMinutesPerDay);
  for (const Recording& recording : RecordingsBetween(from, from + 370 * kMinutesPerDay)) {
    if (recording.start >= now) return recording.start;
  }
  return std::nullopt;
}

int RecordingSchedule::BroadcastWeekdays() const {
  const int days = trigger_.days_of_the_week & 0x7F;
  if (trigger_minute_ + delay_ < kMinutesPerDay) return days;
  return ((days << 1) | (days >> 6)) & 0x7F;
}
