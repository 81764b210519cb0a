#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "win32/windows_api.h"

namespace win32 {

// A warning with buttons of its own, the last the default and the answer
// when the box is closed: the index of the button pressed. It is the task
// dialog of version 6 of the common controls, activated for this box alone
// so that the main dialog keeps its look. Where no task dialog can be had,
// a yes/no box stands in: はい for the first button, いいえ for the last.
std::size_t AskWithButtons(HWND owner, std::u16string_view text, std::u16string_view caption,
                           const std::vector<std::u16string>& buttons);

}  // namespace win32
