#pragma once

#include "model/reservation_form.h"

// Hour and minute as a time picker shows them.
struct ClockTime {
  int hour = 0;
  int minute = 0;
};

// The longest parameter string a work item takes from us; a composition
// that would need more is cut here.
inline constexpr std::size_t kMaxParametersLength = 767;

// Builds the recorder path, the parameter string and the preview from the
// form and the two time pickers, and makes the file name and the
// registration name safe as file names, in place.
void ComposeRecorderCommand(ReservationForm& form, ClockTime start, ClockTime end);
