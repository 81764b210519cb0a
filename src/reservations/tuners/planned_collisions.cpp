#include "reservations/tuners/planned_collisions.h"

#include <algorithm>

#include "reservations/tuners/collisions.h"
#include "reservations/rules/number_text.h"
#include "reservations/views/reservation_list.h"
#include "reservations/rules/reservation_rules.h"
#include "scheduler/work_item_name.h"

namespace {

bool Overlap(const Recording& a, const Recording& b) { return std::max(a.start, b.start) < std::min(a.end, b.end); }

// How many colliding reservations the question names before "ほか N 件".
constexpr std::size_t kNamedInQuestion = 5;

// The planned reservation's recordings over its span, on its own tuner or
// on `tuner` in its place, against every stored one.
std::vector<PlannedCollision> CollisionsOn(const PlannedReservation& planned, const std::optional<TunerId>& tuner,
                                           const std::vector<StoredWorkItem>& stored,
                                           const std::vector<std::u16string>& recorder_paths, LocalMinute now) {
  StoredWorkItem item;
  item.name = planned.name;
  item.trigger = planned.trigger;
  item.flags = planned.flags;
  item.application = planned.application;
  const RecorderParameters recorder = ReadRecorderParameters(planned.parameters);
  const Standing standing = StandingOf(item, recorder.window, now);
  if (standing != Standing::Records) return {};
  const auto first = RecordingSchedule(planned.trigger, recorder.window).NextStart(now);
  if (!first) return {};
  const LocalMinute until = *first + kCollisionHorizon;
  TunerBooking mine = BookingOf(item, recorder, standing, *first, until);
  if (!mine.tuner) return {};
  if (tuner) mine.tuner = tuner;

  std::vector<PlannedCollision> collisions;
  for (const StoredWorkItem& other : stored) {
    if (SameWorkItemName(other.name, planned.name)) continue;
    if (!RunsARecorder(other.application, recorder_paths)) continue;
    const RecorderParameters theirs = ReadRecorderParameters(other.parameters);
    const TunerBooking booking = BookingOf(other, theirs, StandingOf(other, theirs.window, now), *first, until);
    if (booking.tuner != mine.tuner) continue;
    const auto overlapping =
        std::find_if(booking.recordings.begin(), booking.recordings.end(), [&](const Recording& r) {
          return std::any_of(mine.recordings.begin(), mine.recordings.end(),
                             [&r](const Recording& m) { return Overlap(m, r); });
        });
    if (overlapping != booking.recordings.end()) collisions.push_back({other.name, *overlapping});
  }
  std::stable_sort(collisions.begin(), collisions.end(), [](const PlannedCollision& a, const PlannedCollision& b) {
    return a.recording.start < b.recording.start;
  });
  return collisions;
}

}  // namespace

std::vector<PlannedCollision> FindPlannedCollisions(const PlannedReservation& planned,
                                                    const std::vector<StoredWorkItem>& stored,
                                                    const std::vector<std::u16string>& recorder_paths,
                                                    LocalMinute now) {
  return CollisionsOn(planned, std::nullopt, stored, recorder_paths, now);
}

std::optional<FreeTuner> FindFreeProfile(const PlannedReservation& planned, const std::vector<StoredWorkItem>& stored,
                                         const ProfileArray& profiles, int profile_count, LocalMinute now) {
  const std::vector<std::u16string> recorder_paths = RecorderPathsOf(profiles, profile_count);
  const RecorderParameters recorder = ReadRecorderParameters(planned.parameters);
  if (!recorder.tuner) return std::nullopt;
  const TunerId planned_tuner = TunerOf(planned.application, *recorder.tuner);
  for (int i = 0; i < std::clamp(profile_count, 0, kMaxProfiles); ++i) {
    const RecordingProfile& profile = profiles[static_cast<std::size_t>(i)];
    const TunerId tuner = TunerOfProfile(profile);
    if (tuner.device != planned_tuner.device || tuner == planned_tuner) continue;
    if (CollisionsOn(planned, tuner, stored, recorder_paths, now).empty()) {
      return FreeTuner{i, profile.title.str(), tuner.number ? profile.id.str() : u"既定"};
    }
  }
  return std::nullopt;
}

std::u16string CollisionQuestion(std::u16string_view name, const std::vector<PlannedCollision>& collisions) {
  std::u16string text = u"「" + std::u16string(name) + u"」は同じチューナーの次の予約と時間が重なります。\r\n";
  for (std::size_t i = 0; i < collisions.size() && i < kNamedInQuestion; ++i) {
    const Recording& recording = collisions[i].recording;
    text += u"「" + collisions[i].other + u"」 " + FormatLocalMinute(recording.start) + u"～" +
            FormatLocalMinute(recording.end).substr(11) + u"\r\n";
  }
  if (collisions.size() > kNamedInQuestion) {
    text += u"ほか " + ZeroPadded(static_cast<std::int64_t>(collisions.size() - kNamedInQuestion), 1) + u" 件\r\n";
  }
  return text + u"このまま登録しますか？";
}
