#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "iepg/channel_table.h"
#include "model/recording_profile.h"
#include "reservations/rules/occurrences.h"
#include "reservations/rules/recorder_parameters.h"
#include "reservations/checks/recording_needs.h"
#include "reservations/rules/reservation_rules.h"
#include "reservations/stored/stored_work_items.h"

// Another reservation that needs the same tuner, and when both record.
struct RowCollision {
  std::u16string other;
  LocalMinute from = 0;
  LocalMinute to = 0;
};

// What the last run that the recorder ended with code 0 left behind.
enum class RunLeft {
  NotJudged,  // no such run, a run still recording, or a folder that could not be read
  Recording,
  NoFile,    // no file, or none written since the run started
  TooSmall,  // a file under a quarter of what the minutes that ran should have made
};

// One recording reservation as the viewer lists it.
struct ReservationRow {
  StoredWorkItem item;
  RecorderParameters recorder;
  Standing standing = Standing::Records;
  std::optional<LocalMinute> next_start;  // only for one that records
  std::u16string channel_text;            // the station's name and the channel, or the channel
  std::u16string tuner_text;              // the profile the tuner is, where one runs its recorder
  int tuner_profile = kMaxProfiles;       // that profile's place in tab order; kMaxProfiles for none
  std::vector<RowCollision> collisions;
  std::vector<MissingNeed> missing;  // what it needs to record and lacks, where it will record
  RunLeft left = RunLeft::NotJudged;
  std::uint64_t left_bytes = 0;  // the size of what it left
};

enum class Column { Name, NextStart, Repeat, Channel, Tuner, Window, Output, State, LastRun };
inline constexpr Column kColumns[] = {Column::Name,   Column::NextStart, Column::Repeat, Column::Channel, Column::Tuner,
                                      Column::Window, Column::Output,    Column::State,  Column::LastRun};

// Whether a work item runs a recorder: a program whose file name begins
// with "cap_sts", or the recorder of one of the user's profiles ("?" in a
// profile's path stands for any tuner digit).
bool RunsARecorder(std::u16string_view application, const std::vector<std::u16string>& recorder_paths);
// The recorders of the profiles in use.
std::vector<std::u16string> RecorderPathsOf(const ProfileArray& profiles, int profile_count);

// Names each row's tuner after the user's profiles: the profile that runs
// its recorder with its tuner ("地デジ2"), or else the first in tab order
// that runs its recorder, with the number ("地デジ1 · 2"). A tuner no
// profile's recorder drives keeps its number alone.
void NameTunersAfterProfiles(std::vector<ReservationRow>& rows, const ProfileArray& profiles, int profile_count);

// The recorder work items, sorted by their next recording with those that
// will not record last, and the collisions of the next 14 days from `now`.
// Channels are named after the first row of the table with their command.
std::vector<ReservationRow> ListReservations(const std::vector<StoredWorkItem>& items,
                                             const std::vector<std::u16string>& recorder_paths,
                                             const ChannelTable& channels, LocalMinute now);

// What a cell of the list shows.
std::u16string ColumnText(const ReservationRow& row, Column column);
// The line under the list for a selected row: whom it collides with, when.
std::u16string CollisionNote(const ReservationRow& row);
// Rows drawn grey: those that will not record.
inline bool IsDormant(const ReservationRow& row) {
  return row.standing == Standing::Disabled || row.standing == Standing::Ended;
}
// A last run that the recorder ended with another code than 0, or that
// left no recording worth the name.
inline bool LastRunFailed(const ReservationRow& row) {
  return (row.item.last_run && row.item.exit_code != 0) || row.left == RunLeft::NoFile || row.left == RunLeft::TooSmall;
}

// How a cell is drawn: red where something needs the user, grey where the
// reservation will not record.
enum class CellTone { Normal, Alarm, Dormant };
CellTone ToneOf(const ReservationRow& row, Column column);

// "yyyy/MM/dd HH:mm".
std::u16string FormatLocalMinute(LocalMinute minute);
