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
// Each recording holds its tuner from its work item's start, `lead` minutes
// before the recording, when the recorder opens the tuner, to its end.
struct TunerBooking {
  // Nothing when it is not known, and such a booking collides with none.
  std::optional<TunerId> tuner;
  std::vector<Recording> recordings;
  int lead = 0;
};

// Two recordings of two bookings that hold one tuner at once: the one
// rule of what collides, which the question before storing, the free
// tuner, the list's 重複 and the timeline's red all draw from.
struct Clash {
  std::size_t first = 0;  // indexes into the bookings, first < second
  std::size_t first_recording = 0;
  std::size_t second = 0;
  std::size_t second_recording = 0;
  // When both record; where they do not record at once but one's recorder
  // starts before the other's recording ends, when both hold the tuner.
  Recording both;
  bool back_to_back = false;  // the recordings themselves do not overlap
  friend bool operator==(const Clash&, const Clash&) = default;
};

// Every clash among the bookings, in time order. Holds that only touch,
// one ending as the other's recorder starts, do not clash.
std::vector<Clash> FindClashes(const std::vector<TunerBooking>& bookings);

// Two reservations that need the same tuner at the same time, and the first
// time they both do.
struct Collision {
  std::size_t first = 0;  // indexes into the bookings, first < second
  std::size_t second = 0;
  LocalMinute from = 0;  // where the overlap begins and ends
  LocalMinute to = 0;
  friend bool operator==(const Collision&, const Collision&) = default;
};

// Every pair of bookings that clash, with their first clash.
std::vector<Collision> FindCollisions(const std::vector<TunerBooking>& bookings);

// How far ahead collisions are looked for.
inline constexpr LocalMinute kCollisionHorizon = 14 * kMinutesPerDay;
