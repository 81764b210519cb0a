#pragma once

#include <string>

namespace win32 {

// The full path of the running executable, as the platform gives it in 256
// characters: the files the programs keep beside themselves are found by it.
std::u16string ModulePath();

}  // namespace win32
