#include "platform/file_access.h"

#include <cstdio>
#include <memory>

#include "win32/wide_text.h"
#include "win32/windows_api.h"

namespace {
struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
}  // namespace

std::optional<std::string> ReadFileBytes(std::u16string_view path, std::size_t limit) {
  std::unique_ptr<std::FILE, FileCloser> file(_wfopen(win32::Wide(path).c_str(), L"rb"));
  if (!file) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
    if (bytes.size() + got > limit) return std::nullopt;
    bytes.append(buffer, got);
  }
  if (std::ferror(file.get())) return std::nullopt;
  return bytes;
}

bool WriteFileBytes(std::u16string_view path, std::string_view bytes) {
  const std::wstring target = win32::Wide(path);
  const std::wstring temporary = target + L".tmp";
  {
    std::unique_ptr<std::FILE, FileCloser> file(_wfopen(temporary.c_str(), L"wb"));
    if (!file) return false;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() || std::fflush(file.get()) != 0) {
      file.reset();
      _wremove(temporary.c_str());
      return false;
    }
  }
  if (!MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    _wremove(temporary.c_str());
    return false;
  }
  return true;
}
