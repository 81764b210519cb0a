#include "win32/file_system_facts.h"

#include <memory>

#include "win32/unique_handle.h"
#include "win32/wide_text.h"
#include "win32/windows_api.h"

namespace win32 {

namespace {

// How long a network share is given to answer.
constexpr DWORD kShareDeadline = 1000;

struct Attributes {
  DWORD error = ERROR_SUCCESS;
  WIN32_FILE_ATTRIBUTE_DATA data{};
};

// While it lives, a card reader without its card answers "not ready"
// rather than with a box asking for a disk.
class QuietDriveErrors {
 public:
  QuietDriveErrors() { SetThreadErrorMode(SEM_FAILCRITICALERRORS, &old_mode_); }
  ~QuietDriveErrors() { SetThreadErrorMode(old_mode_, nullptr); }
  QuietDriveErrors(const QuietDriveErrors&) = delete;
  QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

 private:
  DWORD old_mode_ = 0;
};

Attributes AttributesOf(const std::wstring& path) {
  const QuietDriveErrors quiet;
  Attributes attributes;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &attributes.data)) attributes.error = GetLastError();
  return attributes;
}

struct Space {
  bool read = false;
  ULARGE_INTEGER free{};
  std::wstring root;
};

Space SpaceAt(const std::wstring& folder) {
  const QuietDriveErrors quiet;
  Space space;
  const std::wstring with_separator = folder.ends_with(L'\\') ? folder : folder + L"\\";
  space.read = GetDiskFreeSpaceExW(with_separator.c_str(), &space.free, nullptr, nullptr) != FALSE;
  wchar_t root[MAX_PATH + 1] = {};
  if (space.read && GetVolumePathNameW(with_separator.c_str(), root, MAX_PATH + 1)) space.root = root;
  return space;
}

template <class Answer>
struct Pending {
  Answer (*question)(const std::wstring&);
  std::wstring path;
  Answer answer{};
};

// The thread shares the question with its asker, so that an asker that
// stopped waiting leaves it nothing freed to write into.
template <class Answer>
DWORD WINAPI AnswerOnThread(LPVOID parameter) {
  const std::unique_ptr<std::shared_ptr<Pending<Answer>>> pending(
      static_cast<std::shared_ptr<Pending<Answer>>*>(parameter));
  (*pending)->answer = (*pending)->question((*pending)->path);
  return 0;
}

std::optional<FileStamp> StampAt(const std::wstring& path) {
  const QuietDriveErrors quiet;
  return FileStampOf(Utf16(path));
}

std::optional<std::vector<ListedFile>> FilesAt(const std::wstring& folder) {
  const QuietDriveErrors quiet;
  return ListFiles(Utf16(folder));
}

}  // namespace

std::wstring FileSystemFacts::ShareOf(const std::wstring& path) {
  const bool unc = path.size() > 2 && path[0] == L'\\' && path[1] == L'\\' && path[2] != L'?' && path[2] != L'.';
  if (unc) {
    const std::size_t server_end = path.find(L'\\', 2);
    const std::size_t share_end = server_end == std::wstring::npos ? server_end : path.find(L'\\', server_end + 1);
    return path.substr(0, share_end);
  }
  if (path.size() >= 2 && path[1] == L':') {
    const std::wstring drive = path.substr(0, 2);
    // The mount manager is asked once a drive: its answer costs a round trip.
    auto known = remote_drives_.find(drive);
    if (known == remote_drives_.end())
      known = remote_drives_.emplace(drive, GetDriveTypeW((drive + L"\\").c_str()) == DRIVE_REMOTE).first;
    if (known->second) return drive;
  }
  return {};
}

template <class Answer>
std::optional<Answer> FileSystemFacts::AskWithin(const std::wstring& path, Answer (*question)(const std::wstring&)) {
  const std::wstring share = ShareOf(path);
  if (share.empty() || waiting_ == Waiting::AsLongAsItTakes) return question(path);
  if (silent_shares_.contains(share)) return std::nullopt;
  const auto pending = std::make_shared<Pending<Answer>>(Pending<Answer>{question, path});
  auto* handed = new std::shared_ptr<Pending<Answer>>(pending);
  const UniqueHandle thread(CreateThread(nullptr, 0, AnswerOnThread<Answer>, handed, 0, nullptr));
  if (!thread) {
    delete handed;
    return std::nullopt;
  }
  if (WaitForSingleObject(thread.get(), kShareDeadline) != WAIT_OBJECT_0) {
    silent_shares_.insert(share);
    return std::nullopt;
  }
  return pending->answer;
}

PathKind FileSystemFacts::KindOf(std::u16string_view path) {
  const auto attributes = AskWithin(Wide(path), AttributesOf);
  if (!attributes) return PathKind::Unknown;
  switch (attributes->error) {
    case ERROR_SUCCESS:
      return (attributes->data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::Folder : PathKind::File;
    case ERROR_NOT_READY:
      return PathKind::NotReady;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
      return PathKind::Missing;
    default:
      // Access refused, a server that is not there: nothing to be sure of.
      return PathKind::Unknown;
  }
}

std::optional<FileStamp> FileSystemFacts::StampOf(std::u16string_view path) {
  return AskWithin(Wide(path), StampAt).value_or(std::nullopt);
}

std::optional<std::vector<ListedFile>> FileSystemFacts::FilesIn(std::u16string_view folder) {
  return AskWithin(Wide(folder), FilesAt).value_or(std::nullopt);
}

std::optional<VolumeSpace> FileSystemFacts::SpaceOf(std::u16string_view folder) {
  const std::wstring path = Wide(folder);
  const auto space = AskWithin(path, SpaceAt);
  if (!space || !space->read) return std::nullopt;
  // The user knows a volume by its drive letter or share, without the separator.
  std::wstring root = space->root.empty() ? ShareOf(path) : space->root;
  if (root.empty() && path.size() >= 2 && path[1] == L':') root = path.substr(0, 2);
  while (root.size() > 2 && root.back() == L'\\') root.pop_back();
  return VolumeSpace{Utf16(root), space->free.QuadPart};
}

}  // namespace win32
