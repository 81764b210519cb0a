#pragma once

#include <string>
#include <string_view>

// The portable code keeps text as char16_t; on Windows wchar_t is the same
// 16-bit unit, so crossing the boundary is a cast, never a conversion.
namespace win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows text is UTF-16");

inline std::wstring Wide(std::u16string_view text) {
  return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

inline std::u16string Utf16(std::wstring_view text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

}  // namespace win32
