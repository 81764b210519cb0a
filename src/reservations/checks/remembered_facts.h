#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system_facts.h"

// The file system asked once for each path while a list is read: a hundred
// reservations share a few recorders and folders.
class RememberedFacts final : public FileSystemFacts {
 public:
  explicit RememberedFacts(FileSystemFacts& facts) : facts_(facts) {}

  PathKind KindOf(std::u16string_view path) override { return Remembered(kinds_, path, &FileSystemFacts::KindOf); }
  std::optional<FileStamp> StampOf(std::u16string_view path) override {
    return Remembered(files_, path, &FileSystemFacts::StampOf);
  }
  std::optional<VolumeSpace> SpaceOf(std::u16string_view folder) override {
    return Remembered(spaces_, folder, &FileSystemFacts::SpaceOf);
  }

 private:
  template <class T>
  T Remembered(std::map<std::u16string, T, std::less<>>& answers, std::u16string_view path,
               T (FileSystemFacts::*ask)(std::u16string_view)) {
    const auto found = answers.find(path);
    if (found != answers.end()) return found->second;
    return answers.emplace(std::u16string(path), (facts_.*ask)(path)).first->second;
  }

  FileSystemFacts& facts_;
  std::map<std::u16string, PathKind, std::less<>> kinds_;
  std::map<std::u16string, std::optional<FileStamp>, std::less<>> files_;
  std::map<std::u16string, std::optional<VolumeSpace>, std::less<>> spaces_;
};
