#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "reservations/rules/occurrences.h"

// One tuner: the recorder program that drives it, and the number its ID
// reads as, or the ID's text when it is no number (the default tuner has
// the empty text). Two capture programs are two devices.
struct TunerId {
  std::optional<double> number;
  std::u16string text;
  std::u16string device;  // the program's full path, folded to one letter case
  friend bool operator==(const TunerId&, const TunerId&) = default;
};

// The recordings of one reservation that lie ahead, and the tuner they need.
struct TunerBooking {
  // Nothing when it is not known, and such a booking collides with none.
  std::optional<TunerId> tuner;
  std::vector<Recording> recordings;
};

// Two reservations that need the same tuner at the same time, and the first
// time they both record.
struct Collision {
  std::size_t first = 0;  // indexes into the bookings, first < second
  std::size_t second = 0;
  LocalMinute from = 0;  // where the overlap begins and ends
  LocalMinute to = 0;
  friend bool operator==(const Collision&, const Collision&) = default;
};

// Every pair of bookings on one tuner with recordings that overlap in time.
// Recordings that only touch, one ending as the other starts, do not.
std::vector<Collision> FindCollisions(const std::vector<TunerBooking>& bookings);

// How far ahead collisions are looked for.
inline constexpr LocalMinute kCollisionHorizon = 14 * kMinutesPerDay;
