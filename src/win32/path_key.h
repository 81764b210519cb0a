#pragma once

#include <string>
#include <string_view>

namespace win32 {

// The key of a path as Windows tells files apart: GetFullPathNameW, the
// long form of an 8.3 name, and the file system's upper case.
std::u16string WindowsPathKey(std::u16string_view path);

}  // namespace win32
