#pragma once

#include <cstdint>
#include <optional>

#include "framework/calendar_time.h"

// Local calendar time and seconds since the epoch, converted by the C
// library with the daylight-saving flag left to it (tm_isdst -1).

// Nothing when the C library cannot convert the date.
std::optional<std::int64_t> SecondsFromLocalTime(const fw::CalendarTime& time);
std::optional<fw::CalendarTime> LocalTimeFromSeconds(std::int64_t seconds);
