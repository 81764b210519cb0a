#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/settings_store.h"
#include "reservations/checks/disk_room.h"
#include "reservations/checks/wake_check.h"
#include "reservations/views/reservation_list.h"

// What the check at logon and every evening tells the user: the same rows,
// checked as the viewer checks them, read for what needs the user now.

inline constexpr std::u16string_view kNoticeTitle = u"録画の確認が必要です";
// How far ahead a recording that will not record as stored is told of.
inline constexpr LocalMinute kNoticeHorizon = kMinutesPerDay;

// From the worst down.
enum class NoticeKind { Unreadable, Failed, NeedsLook, NoRecorder, NoFolder, Collides, WillNotWake, DiskShort };

struct NoticeLine {
  NoticeKind kind = NoticeKind::Failed;
  LocalMinute when = 0;
  std::u16string text;         // 失敗 「ドラマ」 12/08 21:00 (コード 3)
  std::u16string reservation;  // the one the viewer selects for it; empty for none
  friend bool operator==(const NoticeLine&, const NoticeLine&) = default;
};

struct CheckFacts {
  std::vector<DiskShortfall> shortfalls;
  WakeWarning wake = WakeWarning::None;
  // When the check last told the user; nothing when it never has.
  std::optional<LocalMinute> last_check;
  // What could not be read, each a line of its own.
  std::vector<std::u16string> unreadable;
};

// Everything that needs the user, the worst first and then the earliest:
// runs since the last check that the list calls 失敗 or 要確認, each told
// once; reservations whose next recording lies within the next 24 hours
// and will not record as stored (保存先なし, 録画プログラムなし, 重複, or
// asking to wake a PC that will not wake), told at every check while they
// stay so; and volumes short of room for the coming week.
std::vector<NoticeLine> NoticeLines(const std::vector<ReservationRow>& rows, const CheckFacts& facts, LocalMinute now);

// What the next check counts from: now, or the start of a run still
// recording, which is judged once it has ended.
LocalMinute JudgedUpTo(const std::vector<ReservationRow>& rows, LocalMinute now);

// The notice's text: up to `shown` lines, then "ほか N 件".
std::u16string NoticeText(const std::vector<NoticeLine>& lines, std::size_t shown = 3);

// When the check last told the user, kept in Brisquet.ini as
// "yyyy/MM/dd HH:mm"; nothing where it is missing or garbled.
std::optional<LocalMinute> ReadLastCheck(SettingsStore& store);
void WriteLastCheck(SettingsStore& store, LocalMinute minute);
