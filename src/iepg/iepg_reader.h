#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "framework/calendar_time.h"
#include "iepg/program_info.h"
#include "model/reservation_form.h"

// What reading a reservation needs from outside the file.
struct IepgReadContext {
  fw::CalendarTime today;                     // stands in for a missing date
  std::optional<std::u16string> system_root;  // %SystemRoot%, home of the Tasks folder
};

// The tuner ID and the channel go straight into the scheduled command
// line, so a reservation file's "FX2ID: " and "CHANNEL: " are taken only
// when they cannot carry switches or paths: a tuner ID that is a decimal
// number ("2", "02", "2.0", "+2", "1e1") of at most 9 characters, and a
// channel of ASCII letters, digits, "-" and "_" only: no shell character,
// path, variable or switch can hide in it.
bool IsTunerIdText(std::u16string_view text);
bool IsChannelText(std::u16string_view text);
inline constexpr std::size_t kMaxTunerIdText = 9;
inline constexpr std::size_t kMaxChannelText = 31;

// Reads one iEPG reservation file into `info`. True when the file is an
// acceptable reservation; `info` is then complete and normalised. The
// system's own keys write into the form: "FX2ID: " the tuner ID as it is
// read, the last "TASKNAME: " the repeat mode, delete_same_name and the
// registration mode once the header is over. Those stay set even when the
// file is rejected later. "CHANNEL: " names the channel command itself.
bool ReadIepgFile(std::u16string_view path, ProgramInfo& info, ReservationForm& form, const IepgReadContext& context);

// The same on text already decoded, for callers that have it in memory.
bool ReadIepgText(std::u16string_view text, ProgramInfo& info, ReservationForm& form, const IepgReadContext& context);
