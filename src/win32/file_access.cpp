#include "platform/file_access.h"
#include "platform/stdio_file.h"
#include "win32/wide_text.h"
#include "win32/windows_api.h"

std::optional<std::string> ReadFileBytes(std::u16string_view path, std::size_t limit) {
  const UniqueFile file(_wfopen(win32::Wide(path).c_str(), L"rb"));
  if (!file) return std::nullopt;
  return ReadAll(file.get(), limit);
}

bool WriteFileBytes(std::u16string_view path, std::string_view bytes) {
  const std::wstring target = win32::Wide(path);
  const std::wstring temporary = target + L".tmp";
  UniqueFile file(_wfopen(temporary.c_str(), L"wb"));
  if (!file) return false;
  const bool written = WriteAll(file.get(), bytes);
  file.reset();
  if (!written || !MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    _wremove(temporary.c_str());
    return false;
  }
  return true;
}
