#include "reservations/checks/recording_rate.h"

#include "platform/path_key.h"

#include <algorithm>

#include "platform/local_time.h"

namespace {

constexpr std::size_t kLearnedFrom = 10;

std::u16string FolderKey(std::u16string_view folder) { return PathKey(folder); }

OutputFile OutputFileOf(const FileStamp& stamp) {
  constexpr std::int64_t kTicksPerSecond = 10'000'000;
  const auto written = LocalTimeFromSeconds(stamp.write_time / kTicksPerSecond);
  return {stamp.size, written ? ToLocalMinute(*written) : 0};
}

}  // namespace

std::vector<std::optional<OutputFile>> OutputFilesOf(const std::vector<ReservationRow>& rows, FileSystemFacts& facts) {
  std::vector<std::optional<OutputFile>> files;
  files.reserve(rows.size());
  for (const ReservationRow& row : rows) {
    const bool full = !OutputFolderOf(row.recorder.output_path).empty();
    const auto stamp = full ? facts.StampOf(row.recorder.output_path) : std::nullopt;
    files.push_back(stamp ? std::optional(OutputFileOf(*stamp)) : std::nullopt);
  }
  return files;
}

RecordingRates::RecordingRates(const std::vector<ReservationRow>& rows,
                               const std::vector<std::optional<OutputFile>>& files) {
  for (std::size_t i = 0; i < rows.size() && i < files.size(); ++i) {
    const int minutes = rows[i].recorder.window ? rows[i].recorder.window->minutes() : 0;
    // A file still being written is no measure of a whole recording.
    if (!files[i] || minutes <= 0 || rows[i].item.running) continue;
    samples_[FolderKey(OutputFolderOf(rows[i].recorder.output_path))].push_back(
        {files[i]->written, static_cast<double>(files[i]->size) / minutes, i});
  }
  for (auto& [folder, samples] : samples_) {
    std::stable_sort(samples.begin(), samples.end(),
                     [](const Sample& a, const Sample& b) { return a.written > b.written; });
  }
}

double RecordingRates::BytesPerMinute(std::u16string_view folder, std::optional<std::size_t> leaving_out) const {
  const auto found = samples_.find(FolderKey(folder));
  std::vector<double> rates;
  if (found != samples_.end()) {
    for (const Sample& sample : found->second) {
      if (rates.size() == kLearnedFrom) break;
      if (sample.row != leaving_out) rates.push_back(sample.rate);
    }
  }
  if (rates.empty()) return kDefaultBytesPerMinute;
  std::sort(rates.begin(), rates.end());
  const std::size_t middle = rates.size() / 2;
  return rates.size() % 2 == 1 ? rates[middle] : (rates[middle - 1] + rates[middle]) / 2;
}
