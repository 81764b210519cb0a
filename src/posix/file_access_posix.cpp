// Files on systems whose paths are UTF-8 and separated by slashes, for the
// native build and its tests.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

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

std::optional<InputFile> InputFile::Open(std::u16string_view path) {
  // Not blocking, so that opening a pipe or a terminal cannot wait.
  const int fd = ::open(NativePath(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat status {};
  if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  return InputFile(fd);
}

void InputFile::Close() {
  if (handle_ != kClosed) ::close(static_cast<int>(handle_));
  handle_ = kClosed;
}

std::size_t InputFile::Read(std::span<char> buffer) {
  if (failed_) return 0;
  const ssize_t got = ::read(static_cast<int>(handle_), buffer.data(), buffer.size());
  if (got < 0) failed_ = true;
  return got > 0 ? static_cast<std::size_t>(got) : 0;
}

std::optional<std::uint64_t> InputFile::Size() const {
  struct stat status {};
  if (::fstat(static_cast<int>(handle_), &status) != 0) return std::nullopt;
  return static_cast<std::uint64_t>(status.st_size);
}

bool InputFile::ReadAt(std::uint64_t offset, std::span<char> buffer) const {
  const ssize_t got = ::pread(static_cast<int>(handle_), buffer.data(), buffer.size(), static_cast<off_t>(offset));
  return got == static_cast<ssize_t>(buffer.size());
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

bool PathExists(std::u16string_view path) {
  struct stat status {};
  return stat(NativePath(path).c_str(), &status) == 0;
}

std::optional<FileStamp> FileStampOf(std::u16string_view path) {
  struct stat status {};
  if (stat(NativePath(path).c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
  return FileStamp{static_cast<std::uint64_t>(status.st_size),
                   std::int64_t{status.st_mtim.tv_sec} * 10'000'000 + status.st_mtim.tv_nsec / 100};
}

std::optional<std::vector<ListedFile>> ListFiles(std::u16string_view folder) {
  std::error_code error;
  std::filesystem::directory_iterator entries(NativePath(folder), error);
  if (error) return std::nullopt;
  std::vector<ListedFile> files;
  for (const auto& entry : entries) {
    const std::u16string name = entry.path().filename().u16string();
    const auto stamp = FileStampOf(std::u16string(folder) + u"\\" + name);
    if (stamp) files.push_back({name, *stamp});
  }
  return files;
}
