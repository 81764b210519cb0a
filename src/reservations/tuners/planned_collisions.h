#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/recording_profile.h"
#include "platform/file_system_facts.h"
#include "reservations/tuners/collisions.h"
#include "reservations/rules/occurrences.h"
#include "reservations/stored/stored_work_items.h"

// A reservation about to be registered, as its work item will be stored.
struct PlannedReservation {
  std::u16string name;  // the name the stored items are compared with
  TaskTrigger trigger;
  std::u16string parameters;
  std::uint32_t flags = 0;     // a switched-off reservation records nothing
  std::u16string application;  // the recorder program: its tuners are its own
};
// A stored reservation as if it were registered again as it stands.
PlannedReservation AsPlanned(const StoredWorkItem& item);

// A stored reservation that needs the planned one's tuner at the same time,
// and its first recording that clashes with one of the planned one's.
struct PlannedCollision {
  std::u16string other;
  Recording recording;
  // Where neither records while the other does, but the later one's
  // recorder starts before the earlier one's recording ends: by how many
  // minutes, and whether the planned one is the later. 0 where both record
  // at once.
  int early_start = 0;
  bool planned_is_later = false;
  friend bool operator==(const PlannedCollision&, const PlannedCollision&) = default;
};

// The stored reservations the planned one collides with, from its first
// recording to 14 days after it, by the rules the viewer marks 重複 by;
// the earliest first. A stored item of the planned one's name is none of
// them: the registration either replaces it or is refused as its duplicate.
std::vector<PlannedCollision> FindPlannedCollisions(const PlannedReservation& planned,
                                                    const std::vector<StoredWorkItem>& stored,
                                                    const std::vector<std::u16string>& recorder_paths, LocalMinute now);

// A profile whose tuner the planned reservation could have instead: the
// same recorder program, another tuner, and free for the whole span.
struct FreeTuner {
  int profile = 0;
  std::u16string title;
  std::u16string tuner;  // as the question names it
  friend bool operator==(const FreeTuner&, const FreeTuner&) = default;
};

// Each profile, in tab order, that offers a free tuner. A tuner no profile
// names is never offered, nor one whose recorder program or output folder
// the file system says is not there.
std::vector<FreeTuner> FreeProfiles(const PlannedReservation& planned, const std::vector<StoredWorkItem>& stored,
                                    const ProfileArray& profiles, int profile_count, LocalMinute now,
                                    FileSystemFacts& facts);
// The first of them; nothing where none is free.
std::optional<FreeTuner> FindFreeProfile(const PlannedReservation& planned, const std::vector<StoredWorkItem>& stored,
                                         const ProfileArray& profiles, int profile_count, LocalMinute now,
                                         FileSystemFacts& facts);

// The question before registering over them; `before_asking`, such as the
// free tuner, is said before the question itself, which stays the last line.
std::u16string CollisionQuestion(std::u16string_view name, const std::vector<PlannedCollision>& collisions,
                                 std::u16string_view before_asking = {});
