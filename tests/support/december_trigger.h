#pragma once

#include <cstdint>

#include "scheduler/task_scheduler.h"

// A trigger as Halvorn registers one, beginning on a day of December 2026:
// every day or every week where it repeats.
inline TaskTrigger DecemberTrigger(int type, int day, int hour, int minute, int days_of_the_week = 0) {
  TaskTrigger trigger;
  trigger.type = static_cast<std::uint32_t>(type);
  trigger.begin_year = 2026;
  trigger.begin_month = 12;
  trigger.begin_day = static_cast<std::uint16_t>(day);
  trigger.start_hour = static_cast<std::uint16_t>(hour);
  trigger.start_minute = static_cast<std::uint16_t>(minute);
  trigger.days_interval = 1;
  trigger.weeks_interval = 1;
  trigger.days_of_the_week = static_cast<std::uint16_t>(days_of_the_week);
  return trigger;
}
