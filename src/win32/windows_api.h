#pragma once

// The platform headers, without the macros that would rename the
// framework's own members of the same names (MessageBox, LoadIcon).
#include <windows.h>
#include <commctrl.h>

#undef MessageBox
#undef LoadIcon
