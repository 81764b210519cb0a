#pragma once

#include <map>
#include <set>
#include <string>

#include "platform/file_system_facts.h"
#include "win32/wide_text.h"

namespace win32 {

// The file system's answers through the Windows API. A path on a network
// share is asked on a thread of its own and given a second; a share that
// did not answer in that time is not asked again by the same object, so
// that a list of a hundred reservations on a sleeping NAS waits once.
class FileSystemFacts final : public ::FileSystemFacts {
 public:
  // Asked on a thread that may wait as long as a share takes, a share's
  // path needs no thread of its own.
  enum class Waiting { ShareGivenASecond, AsLongAsItTakes };
  explicit FileSystemFacts(Waiting waiting = Waiting::ShareGivenASecond) : waiting_(waiting) {}

  // Whether a path lies on a network share, whose answers may be slow.
  bool OnAShare(std::u16string_view path) { return !ShareOf(Wide(path)).empty(); }

  PathKind KindOf(std::u16string_view path) override;
  std::optional<FileStamp> StampOf(std::u16string_view path) override;
  std::optional<VolumeSpace> SpaceOf(std::u16string_view folder) override;
  std::optional<std::vector<ListedFile>> FilesIn(std::u16string_view folder) override;

 private:
  // The share a path lies on ("\\server\share", "Z:"), empty for a local path.
  std::wstring ShareOf(const std::wstring& path);
  template <class Answer>
  std::optional<Answer> AskWithin(const std::wstring& path, Answer (*question)(const std::wstring&));

  Waiting waiting_;
  std::set<std::wstring> silent_shares_;
  std::map<std::wstring, bool> remote_drives_;
};

}  // namespace win32
