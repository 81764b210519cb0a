#pragma once

namespace fw {

// A local date and time as the date-time picker and the month calendar hold
// it (the platform's SYSTEMTIME): month 1..12, day_of_week 0 = Sunday.
struct CalendarTime {
  int year = 0;
  int month = 0;
  int day_of_week = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;

  friend bool operator==(const CalendarTime&, const CalendarTime&) = default;
};

}  // namespace fw
