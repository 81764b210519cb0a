#include "reservations/checks/recording_checks.h"

#include <algorithm>

namespace {

// From the run's start to the end of its window, as far as the window is
// long: a run started ahead of its window ran the whole window, one started
// late only the rest of it.
int MinutesThatRan(const RecordingWindow& window, LocalMinute run_start) {
  return std::min(window.minutes(), MinutesOnTheClock(static_cast<int>(run_start % kMinutesPerDay), window.end));
}

RunLeft JudgeLastRun(const ReservationRow& row, const std::optional<OutputFile>& file, double bytes_per_minute) {
  const TaskTime& run = *row.item.last_run;
  const LocalMinute run_start = ToLocalMinute(run.year, run.month, run.day, run.hour, run.minute);
  if (!file || file->written < run_start) return RunLeft::NoFile;
  const double expected = MinutesThatRan(*row.recorder.window, run_start) * bytes_per_minute;
  return static_cast<double>(file->size) * 4 < expected ? RunLeft::TooSmall : RunLeft::Recording;
}

}  // namespace

void CheckRecordings(std::vector<ReservationRow>& rows, const std::vector<std::optional<OutputFile>>& files,
                     const RecordingRates& rates, FileSystemFacts& facts) {
  for (std::size_t i = 0; i < rows.size() && i < files.size(); ++i) {
    ReservationRow& row = rows[i];
    if (row.item.running) continue;
    if (row.standing == Standing::Records)
      row.missing = MissingNeeds(row.item.application, row.recorder.output_path, facts);
    const std::u16string folder = OutputFolderOf(row.recorder.output_path);
    if (!row.item.last_run || row.item.exit_code != 0 || !row.recorder.window || folder.empty() ||
        facts.KindOf(folder) == PathKind::Unknown) {
      continue;
    }
    row.left = JudgeLastRun(row, files[i], rates.BytesPerMinute(folder, i));
    if (files[i]) row.left_bytes = files[i]->size;
  }
}
