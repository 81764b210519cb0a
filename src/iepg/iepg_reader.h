#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "framework/calendar_time.h"
#include "iepg/program_info.h"
#include "model/reservation_form.h"

// What reading a reservation needs from outside the file.
struct IepgReadContext {
  fw::CalendarTime today;                  // stands in for a missing date
  std::optional<std::u16string> system_root;  // %SystemRoot%, home of the Tasks folder
};

// Reads one iEPG reservation file into `info`. True when the file is an
// acceptable reservation; `info` is then complete and normalised. The
// system's own keys write into the form while the file is read: "FX2ID: "
// the tuner ID, "TASKNAME: " the repeat mode, delete_same_name and the
// registration mode. Those stay set even when the file is rejected later.
bool ReadIepgFile(std::u16string_view path, ProgramInfo& info, ReservationForm& form,
                  const IepgReadContext& context);

// The same on text already decoded, for callers that have it in memory.
bool ReadIepgText(std::u16string_view text, ProgramInfo& info, ReservationForm& form,
                  const IepgReadContext& context);
