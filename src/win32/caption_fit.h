#pragma once

#include "win32/windows_api.h"

namespace win32 {

// The room a captioned static, check box or push button needs for its
// whole text in `font` (its own, where the program asks), the check box's
// glyph and the button's edges included; 0 for other controls and for
// statics that wrap over several lines.
// `dpi` is the one the control is drawn at.
int CaptionWidthNeeded(HWND control, HFONT font, int dpi);

// Widens every captioned static, check box and push button of the dialog whose text does
// not fit, into the empty space beside it: to the right, or for what is
// still short, to the left. No other control is moved or covered, and a
// control stays inside the group box that holds it.
void FitCaptions(HWND dialog);

}  // namespace win32
