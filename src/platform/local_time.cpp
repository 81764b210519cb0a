#include "platform/local_time.h"

#include <ctime>

namespace {
// The years a Windows date (SYSTEMTIME) can hold; beyond them no control
// could show the result.
constexpr int kFirstYear = 1601;
constexpr int kLastYear = 30827;
}  // namespace

std::optional<std::int64_t> SecondsFromLocalTime(const fw::CalendarTime& time) {
  if (time.year < kFirstYear || time.year > kLastYear) return std::nullopt;
  std::tm broken_down{};
  broken_down.tm_year = time.year - 1900;
  broken_down.tm_mon = time.month - 1;
  broken_down.tm_mday = time.day;
  broken_down.tm_hour = time.hour;
  broken_down.tm_min = time.minute;
  broken_down.tm_sec = time.second;
  broken_down.tm_isdst = -1;
  const std::time_t seconds = std::mktime(&broken_down);
  if (seconds == static_cast<std::time_t>(-1)) return std::nullopt;
  return static_cast<std::int64_t>(seconds);
}

std::optional<fw::CalendarTime> LocalTimeFromSeconds(std::int64_t seconds) {
  const auto value = static_cast<std::time_t>(seconds);
  const std::tm* local = std::localtime(&value);
  if (local == nullptr || local->tm_year > kLastYear - 1900 || local->tm_year < kFirstYear - 1900) return std::nullopt;
  return fw::CalendarTime{local->tm_year + 1900, local->tm_mon + 1, local->tm_wday, local->tm_mday,
                          local->tm_hour,        local->tm_min,     local->tm_sec};
}
