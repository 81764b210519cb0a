#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_access.h"

// What the file system says of a path, as far as it can be told at once.
enum class PathKind {
  File,
  Folder,
  Missing,   // nothing at the path, or a drive letter no drive answers to
  NotReady,  // a drive that exists with no medium in it: an unplugged card reader
  Unknown,   // no answer: a network path that did not answer in time, access refused
};

// The volume a folder lies on, as the user names it ("D:"), and the bytes
// free on it for the user.
struct VolumeSpace {
  std::u16string root;
  std::uint64_t free_bytes = 0;
  friend bool operator==(const VolumeSpace&, const VolumeSpace&) = default;
};

// The questions the programs ask of the file system before and after a
// recording. An answer that could not be had in time is no answer: a
// network path is given a second, and a share that did not answer is not
// asked again by the same object.
class FileSystemFacts {
 public:
  virtual ~FileSystemFacts() = default;
  virtual PathKind KindOf(std::u16string_view path) = 0;
  // A file's size and write time; nothing where no file is, or where it
  // could not be asked.
  virtual std::optional<FileStamp> StampOf(std::u16string_view path) = 0;
  // Nothing where the volume's free space cannot be read.
  virtual std::optional<VolumeSpace> SpaceOf(std::u16string_view folder) = 0;
  // The files directly in a folder, from one listing; nothing where it
  // cannot be listed.
  virtual std::optional<std::vector<ListedFile>> FilesIn(std::u16string_view folder) = 0;
};
