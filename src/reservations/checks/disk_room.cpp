#include "reservations/checks/disk_room.h"

#include <algorithm>

#include "reservations/rules/number_text.h"

namespace {

std::u16string DurationText(LocalMinute minutes) {
  const LocalMinute hours = minutes / 60, rest = minutes % 60;
  if (hours == 0) return ZeroPadded(rest, 1) + u" 分";
  return ZeroPadded(hours, 1) + u" 時間" + (rest == 0 ? u"" : u" " + ZeroPadded(rest, 1) + u" 分");
}

}  // namespace

std::vector<DiskShortfall> FindDiskShortfalls(const std::vector<ReservationRow>& rows, const RecordingRates& rates,
                                              FileSystemFacts& facts, LocalMinute now) {
  struct Volume {
    DiskShortfall need;
    double bytes = 0;
  };
  std::vector<Volume> volumes;
  for (const ReservationRow& row : rows) {
    const std::u16string folder = OutputFolderOf(row.recorder.output_path);
    if (row.standing != Standing::Records || !row.recorder.window || folder.empty()) continue;
    const auto space = facts.SpaceOf(folder);
    if (!space) continue;
    auto volume =
        std::find_if(volumes.begin(), volumes.end(), [&space](const Volume& v) { return v.need.root == space->root; });
    if (volume == volumes.end()) volume = volumes.insert(volumes.end(), {{space->root, space->free_bytes}, 0});
    const double rate = rates.BytesPerMinute(folder);
    for (const Recording& recording :
         RecordingSchedule(*row.item.trigger, row.recorder.window).RecordingsBetween(now, now + kDiskRoomHorizon)) {
      const LocalMinute minutes = recording.end - std::max(recording.start, now);
      ++volume->need.recordings;
      volume->need.minutes += minutes;
      volume->bytes += static_cast<double>(minutes) * rate;
    }
  }
  std::vector<DiskShortfall> shortfalls;
  for (Volume& volume : volumes) {
    volume.need.bytes = static_cast<std::uint64_t>(volume.bytes);
    if (volume.need.bytes > volume.need.free_bytes) shortfalls.push_back(volume.need);
  }
  return shortfalls;
}

std::u16string DiskShortfallText(const DiskShortfall& shortfall) {
  return shortfall.root + u" の空き容量 " + SizeText(shortfall.free_bytes) + u" では、今後 7 日の録画 (" +
         ZeroPadded(shortfall.recordings, 1) + u" 件、" + DurationText(shortfall.minutes) + u"、約 " +
         SizeText(shortfall.bytes, true) + u") が入りきりません。";
}
