#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A whole number of at least `width` digits, zero-padded, as the viewer
// shows dates and times and as reservation files write them.
inline std::u16string ZeroPadded(std::int64_t value, std::size_t width) {
  std::u16string text;
  do {
    text.insert(text.begin(), static_cast<char16_t>(u'0' + value % 10));
    value /= 10;
  } while (value > 0 || text.size() < width);
  return text;
}

// "HH:MM" of minutes after midnight.
inline std::u16string ClockText(int minutes) {
  return ZeroPadded(minutes / 60, 2) + u":" + ZeroPadded(minutes % 60, 2);
}
