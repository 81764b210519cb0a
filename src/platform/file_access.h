#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A file on disk opened for reading only. Reservation files arrive from web
// pages, so a path may name anything: a device, a pipe or a console is not
// a file, and opening one fails at once rather than waiting on it. Paths
// are Windows paths; where the platform separates folders with slashes,
// backslashes count as separators too.
class InputFile {
 public:
  // Nothing when the path names no regular file that can be read.
  static std::optional<InputFile> Open(std::u16string_view path);

  ~InputFile();
  InputFile(InputFile&& other) noexcept;
  InputFile& operator=(InputFile&& other) noexcept;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // The next bytes of the file; 0 at its end or when reading failed.
  std::size_t Read(std::span<char> buffer);
  bool failed() const { return failed_; }
  // The size in bytes, and exactly `buffer.size()` bytes from a place (false
  // when the file does not hold them). A file is read either from its start
  // with Read or at places with ReadAt, not both.
  std::optional<std::uint64_t> Size() const;
  bool ReadAt(std::uint64_t offset, std::span<char> buffer) const;

 private:
  explicit InputFile(std::intptr_t handle) : handle_(handle) {}
  void Close();

  static constexpr std::intptr_t kClosed = -1;
  std::intptr_t handle_ = kClosed;  // the platform's handle of the open file
  bool failed_ = false;
};

// Whether anything is at `path`, a file or a folder, readable or not.
bool PathExists(std::u16string_view path);

// What a file's own record says of it, without opening it.
struct FileStamp {
  std::uint64_t size = 0;
  std::int64_t write_time = 0;  // in 100-nanosecond units since 1970-01-01 00:00 UTC
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};
// Nothing for a folder or where nothing is.
std::optional<FileStamp> FileStampOf(std::u16string_view path);

// The files directly in a folder, each with the stamp the folder's listing
// gives it: one pass over the folder, where asking each file costs a call
// a file. A listing may show a file's old size and time while the file is
// still being written (NTFS brings its entry up to date when the file is
// closed). Nothing when the folder cannot be listed.
struct ListedFile {
  std::u16string name;
  FileStamp stamp;
};
std::optional<std::vector<ListedFile>> ListFiles(std::u16string_view folder);

// Reads a whole small file as raw bytes. Nothing when it cannot be opened,
// reading fails, or it is larger than `limit`.
std::optional<std::string> ReadFileBytes(std::u16string_view path, std::size_t limit);

// Replaces the file's content with `bytes`, through a temporary file beside
// it so that a failure never leaves half a file. False when it cannot.
bool WriteFileBytes(std::u16string_view path, std::string_view bytes);
