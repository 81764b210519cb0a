#include <algorithm>

#include "platform/file_access.h"
#include "platform/stdio_file.h"
#include "win32/wide_text.h"
#include "win32/windows_api.h"

namespace {

HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

std::optional<InputFile> InputFile::Open(std::u16string_view path) {
  // Shared as the C runtime shares a file it reads, so that a recorder or
  // an editor holding it open does not stop us.
  const HANDLE file =
      CreateFileW(win32::Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  // Serial ports, printers, pipes and consoles are no files to read.
  if (GetFileType(file) != FILE_TYPE_DISK) {
    CloseHandle(file);
    return std::nullopt;
  }
  return InputFile(reinterpret_cast<std::intptr_t>(file));
}

void InputFile::Close() {
  if (handle_ != kClosed) CloseHandle(AsHandle(handle_));
  handle_ = kClosed;
}

std::size_t InputFile::Read(std::span<char> buffer) {
  if (failed_) return 0;
  DWORD got = 0;
  const DWORD want = static_cast<DWORD>(std::min<std::size_t>(buffer.size(), 1u << 30));
  if (!ReadFile(AsHandle(handle_), buffer.data(), want, &got, nullptr)) failed_ = true;
  return got;
}

std::optional<std::uint64_t> InputFile::Size() const {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(AsHandle(handle_), &size)) return std::nullopt;
  return static_cast<std::uint64_t>(size.QuadPart);
}

bool InputFile::ReadAt(std::uint64_t offset, std::span<char> buffer) const {
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  DWORD got = 0;
  return ReadFile(AsHandle(handle_), buffer.data(), static_cast<DWORD>(buffer.size()), &got, &at) &&
         got == buffer.size();
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

bool PathExists(std::u16string_view path) {
  return GetFileAttributesW(win32::Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

namespace {

FileStamp StampOf(DWORD size_high, DWORD size_low, const FILETIME& written) {
  constexpr std::int64_t kFrom1601To1970 = 116444736000000000;
  const std::int64_t since_1601 =
      static_cast<std::int64_t>((std::uint64_t{written.dwHighDateTime} << 32) | written.dwLowDateTime);
  return FileStamp{(std::uint64_t{size_high} << 32) | size_low, since_1601 - kFrom1601To1970};
}

}  // namespace

std::optional<FileStamp> FileStampOf(std::u16string_view path) {
  // The file's own record: a folder listing may show a size and time that
  // NTFS has not brought up to date yet.
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(win32::Wide(path).c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return std::nullopt;
  }
  return StampOf(data.nFileSizeHigh, data.nFileSizeLow, data.ftLastWriteTime);
}

std::optional<std::vector<ListedFile>> ListFiles(std::u16string_view folder) {
  // A drive's root keeps its one separator, as in "D:\".
  const std::wstring pattern = win32::Wide(folder) + (folder.ends_with(u'\\') ? L"*" : L"\\*");
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                         FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) {
    if (GetLastError() == ERROR_FILE_NOT_FOUND) return std::vector<ListedFile>{};
    return std::nullopt;
  }
  std::vector<ListedFile> files;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) continue;
    files.push_back(
        {win32::Utf16(found.cFileName), StampOf(found.nFileSizeHigh, found.nFileSizeLow, found.ftLastWriteTime)});
  } while (FindNextFileW(search, &found));
  const bool whole = GetLastError() == ERROR_NO_MORE_FILES;
  FindClose(search);
  if (!whole) return std::nullopt;
  return files;
}
