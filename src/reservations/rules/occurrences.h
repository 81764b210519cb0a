#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "framework/calendar_time.h"
#include "reservations/rules/recorder_parameters.h"
#include "scheduler/task_scheduler.h"

// A point of local wall-clock time, in minutes since 1 January 1970 00:00.
// Reservations are planned in local time, so their arithmetic is too.
using LocalMinute = std::int64_t;
inline constexpr LocalMinute kMinutesPerDay = LocalMinute{24} * 60;

LocalMinute ToLocalMinute(int year, int month, int day, int hour = 0, int minute = 0);
LocalMinute ToLocalMinute(const fw::CalendarTime& time);
// With the day of the week (0 Sunday).
fw::CalendarTime ToCalendarTime(LocalMinute minute);

// One recording: from its start to its end, the end not included.
struct Recording {
  LocalMinute start = 0;
  LocalMinute end = 0;
  friend bool operator==(const Recording&, const Recording&) = default;
};

// When a stored work item records. Its trigger starts the recorder a few
// minutes ahead; the recording itself begins at the window's start, the
// first time of day that the window names at or after the trigger's start.
// When that carried the recording past midnight (the lead carried the
// trigger back over it), the recording's date and weekdays are the next
// day's. A work item without a window records at its trigger's start for
// no time at all.
class RecordingSchedule {
 public:
  RecordingSchedule(const TaskTrigger& trigger, std::optional<RecordingWindow> window);

  // A once-recording's only start, wherever it lies; otherwise the first
  // start at or after `now`. Nothing when the trigger never fires.
  std::optional<LocalMinute> NextStart(LocalMinute now) const;
  // Every recording that overlaps [from, to).
  std::vector<Recording> RecordingsBetween(LocalMinute from, LocalMinute to) const;
  // The weekdays of a weekly trigger as the broadcast's (bit 0 Sunday).
  int BroadcastWeekdays() const;

  bool once() const { return trigger_.type == 0; }
  int duration() const { return duration_; }
  // How many minutes the trigger starts the recorder before the recording.
  int lead() const { return delay_; }

 private:
  bool FiresOn(LocalMinute day) const;

  TaskTrigger trigger_;
  LocalMinute first_day_ = 0;  // the trigger's begin date
  int trigger_minute_ = 0;     // its start, after midnight
  int delay_ = 0;              // from the trigger's start to the recording's
  int duration_ = 0;
};
