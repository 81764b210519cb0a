#include "reservations/tuners/collisions.h"

#include <algorithm>

namespace {

// The earliest overlap of two bookings' recordings, if they have one.
std::optional<Recording> FirstOverlap(const TunerBooking& a, const TunerBooking& b) {
  std::optional<Recording> first;
  for (const Recording& x : a.recordings) {
    for (const Recording& y : b.recordings) {
      const Recording overlap{std::max(x.start, y.start), std::min(x.end, y.end)};
      if (overlap.start < overlap.end && (!first || overlap.start < first->start)) first = overlap;
    }
  }
  return first;
}

}  // namespace

std::vector<Collision> FindCollisions(const std::vector<TunerBooking>& bookings) {
  std::vector<Collision> collisions;
  for (std::size_t i = 0; i < bookings.size(); ++i) {
    for (std::size_t j = i + 1; j < bookings.size(); ++j) {
      if (!bookings[i].tuner || bookings[i].tuner != bookings[j].tuner) continue;
      if (const auto overlap = FirstOverlap(bookings[i], bookings[j])) {
        collisions.push_back({i, j, overlap->start, overlap->end});
      }
    }
  }
  return collisions;
}
