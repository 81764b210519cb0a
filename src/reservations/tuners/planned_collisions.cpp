#include "reservations/tuners/planned_collisions.h"

#include <algorithm>

#include "compose/command_line.h"
#include "reservations/checks/recording_needs.h"
#include "reservations/tuners/collisions.h"
#include "reservations/rules/number_text.h"
#include "reservations/views/reservation_list.h"
#include "reservations/rules/reservation_rules.h"
#include "scheduler/work_item_name.h"

namespace {

// How many colliding reservations the question names before "ほか N 件".
constexpr std::size_t kNamedInQuestion = 5;

// The planned reservation's recordings over its span, on its own tuner or
// on `tuner` in its place, against every stored one.
std::vector<PlannedCollision> CollisionsOn(const PlannedReservation& planned, const std::optional<TunerId>& tuner,
                                           const std::vector<StoredWorkItem>& stored,
                                           const std::vector<std::u16string>& recorder_paths, LocalMinute now) {
  StoredWorkItem item;
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
  // A stored recording that ends as the first begins still holds the tuner
  // when this one's recorder starts.
  const LocalMinute from = *first - mine.lead;

  // The one collision rule over the planned booking and every stored one.
  std::vector<TunerBooking> bookings{std::move(mine)};
  std::vector<const StoredWorkItem*> others;
  for (const StoredWorkItem& other : stored) {
    if (SameWorkItemName(other.name, planned.name)) continue;
    if (!RunsARecorder(other.application, recorder_paths)) continue;
    const RecorderParameters theirs = ReadRecorderParameters(other.parameters);
    bookings.push_back(BookingOf(other, theirs, StandingOf(other, theirs.window, now), from, until));
    others.push_back(&other);
  }
  std::vector<PlannedCollision> collisions;
  std::vector<bool> named(others.size(), false);
  for (const Clash& clash : FindClashes(bookings)) {
    if (clash.first != 0 || named[clash.second - 1]) continue;
    named[clash.second - 1] = true;
    const Recording& theirs = bookings[clash.second].recordings[clash.second_recording];
    const Recording& mine_then = bookings[0].recordings[clash.first_recording];
    collisions.push_back({others[clash.second - 1]->name, theirs,
                          clash.back_to_back ? static_cast<int>(clash.both.end - clash.both.start) : 0,
                          mine_then.start >= theirs.end});
  }
  std::stable_sort(collisions.begin(), collisions.end(), [](const PlannedCollision& a, const PlannedCollision& b) {
    return a.recording.start < b.recording.start;
  });
  return collisions;
}

// Back to back: the later recording's program starts while the earlier one
// still records, and finds the tuner taken.
std::u16string BackToBackWords(const PlannedCollision& collision) {
  const std::u16string minutes = ZeroPadded(collision.early_start, 1);
  return collision.planned_is_later ? u" (この予約の録画プログラムは、その終わる " + minutes + u" 分前に起動します)"
                                    : u" (その録画プログラムは、この予約の終わる " + minutes + u" 分前に起動します)";
}

}  // namespace

std::vector<PlannedCollision> FindPlannedCollisions(const PlannedReservation& planned,
                                                    const std::vector<StoredWorkItem>& stored,
                                                    const std::vector<std::u16string>& recorder_paths,
                                                    LocalMinute now) {
  return CollisionsOn(planned, std::nullopt, stored, recorder_paths, now);
}

PlannedReservation AsPlanned(const StoredWorkItem& item) {
  return {item.name, item.trigger.value_or(TaskTrigger{}), item.parameters, item.flags, item.application};
}

std::vector<FreeTuner> FreeProfiles(const PlannedReservation& planned, const std::vector<StoredWorkItem>& stored,
                                    const ProfileArray& profiles, int profile_count, LocalMinute now,
                                    FileSystemFacts& facts) {
  const std::vector<std::u16string> recorder_paths = RecorderPathsOf(profiles, profile_count);
  const RecorderParameters recorder = ReadRecorderParameters(planned.parameters);
  std::vector<FreeTuner> free;
  if (!recorder.tuner) return free;
  const TunerId planned_tuner = TunerOf(planned.application, *recorder.tuner);
  for (int i = 0; i < std::clamp(profile_count, 0, kMaxProfiles); ++i) {
    const RecordingProfile& profile = profiles[static_cast<std::size_t>(i)];
    const TunerId tuner = TunerOfProfile(profile);
    if (tuner.device != planned_tuner.device || tuner == planned_tuner) continue;
    // A tuner it could not record with is no free tuner.
    const std::u16string recorder = WithTunerMark(profile.cap_sts_path.str(), TunerMark(profile.id.str()));
    if (!MissingNeeds(recorder, profile.folder.str() + u"\\" + planned.name, facts).empty()) continue;
    if (CollisionsOn(planned, tuner, stored, recorder_paths, now).empty()) {
      free.push_back({i, profile.title.str(), tuner.number ? profile.id.str() : u"既定"});
    }
  }
  return free;
}

std::optional<FreeTuner> FindFreeProfile(const PlannedReservation& planned, const std::vector<StoredWorkItem>& stored,
                                         const ProfileArray& profiles, int profile_count, LocalMinute now,
                                         FileSystemFacts& facts) {
  std::vector<FreeTuner> free = FreeProfiles(planned, stored, profiles, profile_count, now, facts);
  if (free.empty()) return std::nullopt;
  return free.front();
}

std::u16string CollisionQuestion(std::u16string_view name, const std::vector<PlannedCollision>& collisions,
                                 std::u16string_view before_asking) {
  std::u16string text = u"「" + std::u16string(name) + u"」は同じチューナーの次の予約と時間が重なります。\r\n";
  for (std::size_t i = 0; i < collisions.size() && i < kNamedInQuestion; ++i) {
    const PlannedCollision& collision = collisions[i];
    const Recording& recording = collision.recording;
    text += u"「" + collision.other + u"」 " + FormatLocalMinute(recording.start) + u"～" +
            FormatLocalMinute(recording.end).substr(11);
    if (collision.early_start > 0) text += BackToBackWords(collision);
    text += u"\r\n";
  }
  if (collisions.size() > kNamedInQuestion) {
    text += u"ほか " + ZeroPadded(static_cast<std::int64_t>(collisions.size() - kNamedInQuestion), 1) + u" 件\r\n";
  }
  if (!before_asking.empty()) text += std::u16string(before_asking) + u"\r\n";
  return text + u"このまま登録しますか？";
}
