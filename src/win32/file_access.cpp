#include "platform/file_access.h"

#include <cstdio>
#include <memory>

#include "win32/wide_text.h"

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
