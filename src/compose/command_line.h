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

// "?" in the recorder path, the folder or the parameters stands for the
// tuner: the first character of the tuner ID, or 0 without one. One pass,
// so a "?" that replaced a "?" stays.
char16_t TunerMark(std::u16string_view id);
std::u16string WithTunerMark(std::u16string text, char16_t mark);

// Builds the recorder path, the parameter string and the preview from the
// form and the two time pickers, and makes the file name and the
// registration name safe as file names, in place.
void ComposeRecorderCommand(ReservationForm& form, ClockTime start, ClockTime end);
