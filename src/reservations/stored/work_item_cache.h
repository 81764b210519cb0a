#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/file_access.h"

// Opening a work item file costs far more than asking for its size and
// write time, so the files read last time are kept beside the program and
// read again only where their size or write time changed.

inline constexpr std::u16string_view kWorkItemCacheFileName = u"Halvorn_tasks.cache";

struct CachedWorkItemFile {
  std::u16string name;  // as the Task Scheduler lists it: "NAME.job"
  std::int64_t write_time = 0;
  std::string bytes;
  friend bool operator==(const CachedWorkItemFile&, const CachedWorkItemFile&) = default;
};

struct WorkItemCache {
  std::u16string folder;  // the Tasks folder the files were read from
  std::vector<CachedWorkItemFile> files;
  friend bool operator==(const WorkItemCache&, const WorkItemCache&) = default;
};

std::string EncodeWorkItemCache(const WorkItemCache& cache);
// Nothing for bytes EncodeWorkItemCache did not write whole: another
// version, a file cut short, or two programs writing it at once.
std::optional<WorkItemCache> DecodeWorkItemCache(std::string_view bytes);

// Where work item files are read, and where what was read is kept.
struct WorkItemFileAccess {
  std::u16string folder;      // the Task Scheduler's folder; empty: none is read
  std::u16string cache_path;  // empty: nothing is kept
  std::int64_t now = 0;       // seconds since the epoch
};

// The work item files of one reading of the Tasks folder.
class CachedWorkItemFiles {
 public:
  explicit CachedWorkItemFiles(const WorkItemFileAccess& access);

  // The bytes of a file the Task Scheduler lists; nothing when it cannot
  // be read from the folder. The stamp is the file's own record, or the
  // one a listing of the folder gave it.
  std::optional<std::string> Read(std::u16string_view listed);
  std::optional<std::string> Read(std::u16string_view listed, const FileStamp& stamp);
  // Keeps what this reading found for the next one, where that changed.
  void Save() const;

 private:
  std::u16string folder_;
  std::u16string cache_path_;
  std::int64_t settled_before_ = 0;
  WorkItemCache loaded_;
  std::unordered_map<std::u16string, std::size_t> loaded_index_;
  WorkItemCache kept_;
};
