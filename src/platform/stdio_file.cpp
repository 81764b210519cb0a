#include "platform/stdio_file.h"

std::optional<std::string> ReadAll(std::FILE* file, std::size_t limit) {
  std::string bytes;
  char buffer[65536];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    if (bytes.size() + got > limit) return std::nullopt;
    bytes.append(buffer, got);
  }
  if (std::ferror(file)) return std::nullopt;
  return bytes;
}

bool WriteAll(std::FILE* file, std::string_view bytes) {
  return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && std::fflush(file) == 0;
}
