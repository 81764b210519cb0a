#pragma once

#include <string>

#include "win32/windows_api.h"

namespace win32 {

// The platform's own words for a failure status, in the user's language.
std::u16string SystemMessage(HRESULT status);

}  // namespace win32
