#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reservations/occurrences.h"
#include "reservations/recorder_parameters.h"
#include "reservations/stored_work_items.h"

// Another reservation that needs the same tuner, and when both record.
struct RowCollision {
  std::u16string other;
  LocalMinute from = 0;
  LocalMinute to = 0;
};

// One recording reservation as the viewer lists it.
struct ReservationRow {
  StoredWorkItem item;
  RecorderParameters recorder;
  std::optional<LocalMinute> next_start;
  bool finished = false;  // a once-reservation that has recorded already
  std::vector<RowCollision> collisions;
};

enum class Column { Name, NextStart, Repeat, Channel, Tuner, Window, Output, State };
inline constexpr Column kColumns[] = {Column::Name,  Column::NextStart, Column::Repeat, Column::Channel,
                                      Column::Tuner, Column::Window,    Column::Output, Column::State};

// Whether a work item runs a recorder: a program whose file name begins
// with "cap_sts", or the recorder of one of the user's profiles ("?" in a
// profile's path stands for any tuner digit).
bool RunsARecorder(std::u16string_view application, const std::vector<std::u16string>& recorder_paths);

// The recorder work items, sorted by their next recording with finished
// ones last, and the collisions of the next 14 days from `now`.
std::vector<ReservationRow> ListReservations(const std::vector<StoredWorkItem>& items,
                                             const std::vector<std::u16string>& recorder_paths, LocalMinute now);

// What a cell of the list shows.
std::u16string ColumnText(const ReservationRow& row, Column column);
// The line under the list for a selected row: whom it collides with, when.
std::u16string CollisionNote(const ReservationRow& row);

// "yyyy/MM/dd HH:mm".
std::u16string FormatLocalMinute(LocalMinute minute);
