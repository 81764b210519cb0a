#include "reservations/stored/work_item_cache.h"

#include "scheduler/job_file.h"
#include "scheduler/little_endian.h"

namespace {

constexpr std::string_view kMagic = "Halvorn work item cache 1\r\n";
// Ten thousand work item files at their largest; a larger file is not ours.
constexpr std::size_t kMaxCacheSize = std::size_t{64} * 1024 * 1024;

// A file whose write time is this close to now may be written again
// within the same tick of its file system (two seconds on FAT) and keep
// its time; it is read from its file until it has settled.
constexpr std::int64_t kSettleSeconds = 5;
constexpr std::int64_t kTicksPerSecond = 10'000'000;

// FNV-1a: enough to tell a whole file from a torn or damaged one.
std::uint64_t Checksum(std::string_view bytes) {
  std::uint64_t hash = 14695981039346656037u;
  for (const char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211u;
  }
  return hash;
}

}  // namespace

std::string EncodeWorkItemCache(const WorkItemCache& cache) {
  LittleEndianWriter out;
  out.Bytes(kMagic);
  out.Text(cache.folder);
  out.U32(static_cast<std::uint32_t>(cache.files.size()));
  for (const auto& file : cache.files) {
    out.Text(file.name);
    out.U64(static_cast<std::uint64_t>(file.write_time));
    out.U32(static_cast<std::uint32_t>(file.bytes.size()));
    out.Bytes(file.bytes);
  }
  std::string bytes = out.Take();
  LittleEndianWriter sum;
  sum.U64(Checksum(bytes));
  return bytes + sum.Take();
}

std::optional<WorkItemCache> DecodeWorkItemCache(std::string_view bytes) {
  if (bytes.size() < kMagic.size() + 8 || !bytes.starts_with(kMagic)) return std::nullopt;
  const std::string_view body = bytes.substr(0, bytes.size() - 8);
  if (LittleEndianReader(bytes, body.size()).U64() != Checksum(body)) return std::nullopt;
  LittleEndianReader in(body, kMagic.size());
  WorkItemCache cache;
  cache.folder = in.Text();
  const std::uint32_t count = in.U32();
  for (std::uint32_t i = 0; i < count && in.ok(); ++i) {
    CachedWorkItemFile file;
    file.name = in.Text();
    file.write_time = static_cast<std::int64_t>(in.U64());
    file.bytes = in.Bytes(in.U32());
    cache.files.push_back(std::move(file));
  }
  if (!in.ok()) return std::nullopt;
  return cache;
}

CachedWorkItemFiles::CachedWorkItemFiles(const WorkItemFileAccess& access)
    : folder_(access.folder),
      cache_path_(access.cache_path),
      settled_before_((access.now - kSettleSeconds) * kTicksPerSecond) {
  kept_.folder = folder_;
  if (cache_path_.empty()) return;
  const auto bytes = ReadFileBytes(cache_path_, kMaxCacheSize);
  auto cache = bytes ? DecodeWorkItemCache(*bytes) : std::nullopt;
  if (!cache || cache->folder != folder_) return;
  loaded_ = std::move(*cache);
  for (std::size_t i = 0; i < loaded_.files.size(); ++i) loaded_index_.emplace(loaded_.files[i].name, i);
}

std::optional<std::string> CachedWorkItemFiles::Read(std::u16string_view listed) {
  const auto stamp = FileStampOf(folder_ + u"\\" + std::u16string(listed));
  if (!stamp) return std::nullopt;
  return Read(listed, *stamp);
}

std::optional<std::string> CachedWorkItemFiles::Read(std::u16string_view listed, const FileStamp& stamp) {
  const std::u16string path = folder_ + u"\\" + std::u16string(listed);
  if (const auto found = loaded_index_.find(std::u16string(listed)); found != loaded_index_.end()) {
    const CachedWorkItemFile& cached = loaded_.files[found->second];
    if (cached.write_time == stamp.write_time && cached.bytes.size() == stamp.size) {
      kept_.files.push_back(cached);
      return cached.bytes;
    }
  }
  auto bytes = ReadFileBytes(path, kMaxWorkItemFileSize);
  // Bytes of another size were written after the stamp was taken: they
  // are used now and read again next time.
  if (bytes && bytes->size() == stamp.size && stamp.write_time < settled_before_) {
    kept_.files.push_back({std::u16string(listed), stamp.write_time, *bytes});
  }
  return bytes;
}

void CachedWorkItemFiles::Save() const {
  if (cache_path_.empty() || kept_ == loaded_) return;
  WriteFileBytes(cache_path_, EncodeWorkItemCache(kept_));
}
