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

// Sizes in the units of 1000 a disk's maker counts in.
inline constexpr std::uint64_t kMegabyte = 1'000'000;
inline constexpr std::uint64_t kGigabyte = 1'000'000'000;

// "12 MB": whole megabytes.
inline std::u16string MegabyteText(std::uint64_t bytes) {
  return ZeroPadded(static_cast<std::int64_t>((bytes + kMegabyte / 2) / kMegabyte), 1) + u" MB";
}

// "12.3 GB" from a gigabyte on, or with `whole` "12 GB"; whole megabytes below.
inline std::u16string SizeText(std::uint64_t bytes, bool whole = false) {
  if (bytes < kGigabyte) return MegabyteText(bytes);
  if (whole) return ZeroPadded(static_cast<std::int64_t>((bytes + kGigabyte / 2) / kGigabyte), 1) + u" GB";
  const auto tenths = static_cast<std::int64_t>((bytes + kGigabyte / 20) / (kGigabyte / 10));
  return ZeroPadded(tenths / 10, 1) + u"." + ZeroPadded(tenths % 10, 1) + u" GB";
}
