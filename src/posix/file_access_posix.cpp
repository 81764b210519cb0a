// Files on systems whose paths are UTF-8 and separated by slashes, for the
// native build and its tests.
#include <cstdio>

#include "platform/file_access.h"
#include "platform/stdio_file.h"

namespace {

std::string NativePath(std::u16string_view path) {
  std::string utf8;
  for (std::size_t i = 0; i < path.size(); ++i) {
    char32_t c = path[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < path.size()) {
      c = 0x10000 + ((c - 0xD800) << 10) + (path[++i] - 0xDC00);
    }
    if (c == U'\\') c = U'/';
    if (c < 0x80) {
      utf8.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      utf8.push_back(static_cast<char>(0xC0 | (c >> 6)));
      utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      utf8.push_back(static_cast<char>(0xE0 | (c >> 12)));
      utf8.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      utf8.push_back(static_cast<char>(0xF0 | (c >> 18)));
      utf8.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      utf8.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return utf8;
}

}  // namespace

std::optional<std::string> ReadFileBytes(std::u16string_view path, std::size_t limit) {
  const UniqueFile file(std::fopen(NativePath(path).c_str(), "rb"));
  if (!file) return std::nullopt;
  return ReadAll(file.get(), limit);
}

bool WriteFileBytes(std::u16string_view path, std::string_view bytes) {
  const std::string target = NativePath(path);
  const std::string temporary = target + ".tmp";
  UniqueFile file(std::fopen(temporary.c_str(), "wb"));
  if (!file) return false;
  const bool written = WriteAll(file.get(), bytes);
  file.reset();
  if (!written || std::rename(temporary.c_str(), target.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}
