#include "win32/module_path.h"

#include "win32/wide_text.h"
#include "win32/windows_api.h"

namespace win32 {

std::u16string ModulePath() {
  wchar_t path[256] = {};
  GetModuleFileNameW(nullptr, path, 256);
  path[255] = L'\0';
  return Utf16(path);
}

}  // namespace win32
