#include "win32/path_key.h"

#include "win32/wide_text.h"
#include "win32/windows_api.h"

namespace win32 {

namespace {

// What a "length, then buffer" function gives, or `text` where it fails.
template <class Call>
std::wstring Asked(const std::wstring& text, Call call) {
  const DWORD needed = call(text.c_str(), nullptr, 0);
  if (needed == 0) return text;
  std::wstring answer(needed, L'\0');
  const DWORD got = call(text.c_str(), answer.data(), needed);
  if (got == 0 || got >= needed) return text;
  answer.resize(got);
  return answer;
}

}  // namespace

std::u16string WindowsPathKey(std::u16string_view path) {
  std::wstring text = Wide(path);
  // Made full as Windows opens it: "/" and "\", "." and "..", the current
  // folder of a relative path.
  text =
      Asked(text, [](const wchar_t* in, wchar_t* out, DWORD size) { return GetFullPathNameW(in, size, out, nullptr); });
  // An 8.3 name (PROGRA~1) is another name of a file that exists. Only such
  // a path asks the file system, so that a sleeping share is not woken for
  // every name.
  if (text.find(L'~') != std::wstring::npos) {
    text = Asked(text, [](const wchar_t* in, wchar_t* out, DWORD size) { return GetLongPathNameW(in, out, size); });
  }
  // The upper case the file system's ordinal comparison folds names to,
  // full-width and accented letters among them.
  const int size = LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text.c_str(), static_cast<int>(text.size()),
                                 nullptr, 0, nullptr, nullptr, 0);
  if (size <= 0) return Utf16(text);
  std::wstring upper(static_cast<std::size_t>(size), L'\0');
  LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text.c_str(), static_cast<int>(text.size()), upper.data(), size,
                nullptr, nullptr, 0);
  return Utf16(upper);
}

}  // namespace win32
