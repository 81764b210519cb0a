#include "reservations/checks/recording_checks.h"

#include <algorithm>

namespace {

// From the run's start to the end of its window, as far as the window is
// long: a run started ahead of its window ran the whole window, one started
// late only the rest of it.
int MinutesThatRan(const RecordingWindow& window, const TaskTime& run) {
  return std::min(window.minutes(), MinutesOnTheClock(run.hour * 60 + run.minute, window.end));
}

RunLeft JudgeLastRun(const ReservationRow& row, const std::optional<OutputFile>& file, const RecordingRates& rates,
                     std::u16string_view folder) {
  const TaskTime& run = *row.item.last_run;
  if (!file || file->written < LocalSecondOf(run)) return RunLeft::NoFile;
  if (row.recorder.encoded) return RunLeft::Recording;
  const double expected = MinutesThatRan(*row.recorder.window, run) * rates.BytesPerMinute(folder);
  return static_cast<double>(file->size) * 4 < expected ? RunLeft::TooSmall : RunLeft::Recording;
}

}  // namespace

void CheckRecordings(std::vector<ReservationRow>& rows, const std::vector<std::optional<OutputFile>>& files,
                     const RecordingRates& rates, FileSystemFacts& facts) {
  // One file a row, as `OutputFilesOf` gives them.
  for (std::size_t i = 0; i < files.size(); ++i) {
    ReservationRow& row = rows.at(i);
    if (row.item.running) continue;
    if (row.standing == Standing::Records)
      row.missing = MissingNeeds(row.item.application, row.recorder.output_path, facts);
    const std::u16string folder = OutputFolderOf(row.recorder.output_path);
    if (!row.item.last_run || row.item.exit_code != 0 || !row.recorder.window || folder.empty() ||
        facts.KindOf(folder) == PathKind::Unknown) {
      continue;
    }
    row.left = JudgeLastRun(row, files.at(i), rates, folder);
    if (files.at(i)) row.left_bytes = files.at(i)->size;
  }
}

bool LearnFromGoodRecordings(const std::vector<ReservationRow>& rows,
                             const std::vector<std::optional<OutputFile>>& files, RecordingRates& rates) {
  bool learned = false;
  for (std::size_t i = 0; i < files.size(); ++i) {
    const ReservationRow& row = rows.at(i);
    if (row.left != RunLeft::Recording || row.recorder.encoded || !files.at(i)) continue;
    const int minutes = MinutesThatRan(*row.recorder.window, *row.item.last_run);
    if (minutes <= 0) continue;
    learned |= rates.Learn(OutputFolderOf(row.recorder.output_path),
                           {files.at(i)->written, static_cast<std::int64_t>(files.at(i)->size) / minutes});
  }
  return learned;
}
