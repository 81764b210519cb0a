#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "reservations/occurrences.h"
#include "reservations/stored_work_items.h"

// A reservation about to be registered, as its work item will be stored.
struct PlannedReservation {
  std::u16string name;  // the name the stored items are compared with
  TaskTrigger trigger;
  std::u16string parameters;
  std::uint32_t flags = 0;     // a switched-off reservation records nothing
  std::u16string application;  // the recorder program: its tuners are its own
};

// A stored reservation that needs the planned one's tuner at the same time,
// and its first recording that overlaps one of the planned one's.
struct PlannedCollision {
  std::u16string other;
  Recording recording;
  friend bool operator==(const PlannedCollision&, const PlannedCollision&) = default;
};

// The stored reservations the planned one collides with, from its first
// recording to 14 days after it, by the rules the viewer marks 重複 by;
// the earliest first. A stored item of the planned one's name is none of
// them: the registration either replaces it or is refused as its duplicate.
std::vector<PlannedCollision> FindPlannedCollisions(const PlannedReservation& planned,
                                                    const std::vector<StoredWorkItem>& stored,
                                                    const std::vector<std::u16string>& recorder_paths, LocalMinute now);

// The question before registering over them.
std::u16string CollisionQuestion(std::u16string_view name, const std::vector<PlannedCollision>& collisions);
