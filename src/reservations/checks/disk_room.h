#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/file_system_facts.h"
#include "reservations/checks/recording_rate.h"
#include "reservations/views/reservation_list.h"

// How far ahead the room on the disks is looked at.
inline constexpr LocalMinute kDiskRoomHorizon = 7 * kMinutesPerDay;

// A volume with less free space than the recordings of the coming week
// into its folders will take.
struct DiskShortfall {
  std::u16string root;
  std::uint64_t free_bytes = 0;
  int recordings = 0;
  LocalMinute minutes = 0;
  std::uint64_t bytes = 0;
  friend bool operator==(const DiskShortfall&, const DiskShortfall&) = default;
};

// Each recording that starts or runs in the next 7 days counts once, with
// the minutes still to record, at its folder's rate, whatever else records
// at that time. A volume whose free space cannot be read says nothing.
std::vector<DiskShortfall> FindDiskShortfalls(const std::vector<ReservationRow>& rows, const RecordingRates& rates,
                                              FileSystemFacts& facts, LocalMinute now);

// "D: の空き容量 12.3 GB では、今後 7 日の録画 (9 件、6 時間 30 分、約 48 GB) が入りきりません。"
std::u16string DiskShortfallText(const DiskShortfall& shortfall);
