#include "platform/file_access.h"

#include <utility>

InputFile::InputFile(InputFile&& other) noexcept
    : handle_(std::exchange(other.handle_, kClosed)), failed_(other.failed_) {}

InputFile& InputFile::operator=(InputFile&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = std::exchange(other.handle_, kClosed);
    failed_ = other.failed_;
  }
  return *this;
}

InputFile::~InputFile() { Close(); }

std::optional<std::string> ReadFileBytes(std::u16string_view path, std::size_t limit) {
  auto file = InputFile::Open(path);
  if (!file) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  while (const std::size_t got = file->Read(buffer)) {
    if (bytes.size() + got > limit) return std::nullopt;
    bytes.append(buffer, got);
    // Only regular files are opened, and those come short only at their end.
    if (got < sizeof buffer) break;
  }
  if (file->failed()) return std::nullopt;
  return bytes;
}
