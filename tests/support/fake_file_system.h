#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system_facts.h"

// A file system told by the test. A path it was not told of is there: a
// name with an extension is a file, any other a folder. Every question is
// counted.
class FakeFileSystem final : public FileSystemFacts {
 public:
  std::map<std::u16string, PathKind, std::less<>> kinds;
  std::map<std::u16string, FileStamp, std::less<>> files;
  std::map<std::u16string, VolumeSpace, std::less<>> volumes;  // by folder
  std::set<std::u16string, std::less<>> unlistable;            // folders there, whose listing is refused
  int questions = 0;

  PathKind KindOf(std::u16string_view path) override {
    ++questions;
    if (const auto found = kinds.find(path); found != kinds.end()) return found->second;
    if (files.contains(path)) return PathKind::File;
    const std::size_t dot = path.find_last_of(u".\\");
    return dot != std::u16string_view::npos && path[dot] == u'.' ? PathKind::File : PathKind::Folder;
  }
  std::optional<FileStamp> StampOf(std::u16string_view path) override {
    ++questions;
    const auto found = files.find(path);
    return found == files.end() ? std::nullopt : std::optional(found->second);
  }
  std::optional<VolumeSpace> SpaceOf(std::u16string_view folder) override {
    ++questions;
    const auto found = volumes.find(folder);
    return found == volumes.end() ? std::nullopt : std::optional(found->second);
  }
  // The files told of whose folder is `folder`; nothing for a folder told
  // to be other than a folder.
  std::optional<std::vector<ListedFile>> FilesIn(std::u16string_view folder) override {
    ++questions;
    if (const auto kind = kinds.find(folder); kind != kinds.end() && kind->second != PathKind::Folder)
      return std::nullopt;
    if (unlistable.contains(folder)) return std::nullopt;
    std::vector<ListedFile> listed;
    for (const auto& [path, stamp] : files) {
      const std::size_t separator = path.find_last_of(u"\\/");
      if (separator != std::u16string::npos && std::u16string_view(path).substr(0, separator) == folder)
        listed.push_back({path.substr(separator + 1), stamp});
    }
    return listed;
  }
};
