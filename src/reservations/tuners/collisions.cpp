#include "reservations/tuners/collisions.h"

#include <algorithm>
#include <set>
#include <tuple>

namespace {

// What one recording holds of its tuner.
struct Hold {
  LocalMinute from;
  LocalMinute to;
  std::size_t booking;
  std::size_t recording;
};

// The holds of each tuner that some booking names.
std::vector<std::vector<Hold>> HoldsByTuner(const std::vector<TunerBooking>& bookings) {
  std::vector<const TunerId*> tuners;
  std::vector<std::vector<Hold>> holds;
  for (std::size_t b = 0; b < bookings.size(); ++b) {
    const TunerBooking& booking = bookings[b];
    if (!booking.tuner) continue;
    const auto known =
        std::find_if(tuners.begin(), tuners.end(), [&](const TunerId* t) { return *t == *booking.tuner; });
    const std::size_t tuner = static_cast<std::size_t>(known - tuners.begin());
    if (known == tuners.end()) {
      tuners.push_back(&*booking.tuner);
      holds.emplace_back();
    }
    for (std::size_t r = 0; r < booking.recordings.size(); ++r) {
      const Recording& recording = booking.recordings[r];
      holds[tuner].push_back({recording.start - booking.lead, recording.end, b, r});
    }
  }
  return holds;
}

Clash ClashOf(const Hold& x, const Hold& y, const std::vector<TunerBooking>& bookings) {
  const Hold& a = x.booking < y.booking ? x : y;
  const Hold& b = x.booking < y.booking ? y : x;
  const Recording& ra = bookings[a.booking].recordings[a.recording];
  const Recording& rb = bookings[b.booking].recordings[b.recording];
  const Recording recording_both{std::max(ra.start, rb.start), std::min(ra.end, rb.end)};
  // Back to back, what both hold is the one's recorder starting before the other ends.
  const bool back_to_back = recording_both.start >= recording_both.end;
  const Recording both = back_to_back ? Recording{std::max(a.from, b.from), std::min(a.to, b.to)} : recording_both;
  return {a.booking, a.recording, b.booking, b.recording, both, back_to_back};
}

}  // namespace

std::vector<Clash> FindClashes(const std::vector<TunerBooking>& bookings) {
  std::vector<Clash> clashes;
  for (std::vector<Hold>& holds : HoldsByTuner(bookings)) {
    std::sort(holds.begin(), holds.end(), [](const Hold& a, const Hold& b) { return a.from < b.from; });
    // Sorted by where they begin: only the holds that begin before one ends
    // can share its time.
    for (std::size_t i = 0; i < holds.size(); ++i) {
      for (std::size_t j = i + 1; j < holds.size() && holds[j].from < holds[i].to; ++j) {
        const Hold& x = holds[i];
        const Hold& y = holds[j];
        if (x.booking == y.booking || std::max(x.from, y.from) >= std::min(x.to, y.to)) continue;
        clashes.push_back(ClashOf(x, y, bookings));
      }
    }
  }
  std::sort(clashes.begin(), clashes.end(), [](const Clash& a, const Clash& b) {
    return std::tie(a.both.start, a.first, a.second, a.first_recording, a.second_recording) <
           std::tie(b.both.start, b.first, b.second, b.first_recording, b.second_recording);
  });
  return clashes;
}

std::vector<Collision> FindCollisions(const std::vector<TunerBooking>& bookings) {
  std::vector<Collision> collisions;
  std::set<std::pair<std::size_t, std::size_t>> seen;
  for (const Clash& clash : FindClashes(bookings)) {
    if (!seen.emplace(clash.first, clash.second).second) continue;
    collisions.push_back({clash.first, clash.second, clash.both.start, clash.both.end});
  }
  std::sort(collisions.begin(), collisions.end(), [](const Collision& a, const Collision& b) {
    return std::tie(a.first, a.second) < std::tie(b.first, b.second);
  });
  return collisions;
}
