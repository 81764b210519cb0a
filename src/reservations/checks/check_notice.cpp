#include "reservations/checks/check_notice.h"

#include <algorithm>
#include <set>
#include <tuple>
#include <utility>

#include "compose/c_numbers.h"
#include "reservations/rules/number_text.h"
#include "scheduler/trigger_schedule.h"

namespace {

// "12/08 21:00".
std::u16string DayAndTime(LocalMinute minute) { return FormatLocalMinute(minute).substr(5); }

LocalMinute RunMinute(const TaskTime& run) { return ToLocalMinute(run.year, run.month, run.day, run.hour, run.minute); }

void AddLastRun(const ReservationRow& row, const CheckFacts& facts, std::vector<NoticeLine>& lines) {
  // A run still recording is judged when it has ended.
  if (!row.item.last_run || row.item.running || !LastRunFailed(row)) return;
  const LocalMinute ran = RunMinute(*row.item.last_run);
  // Told once: at the first check after the run.
  if (facts.last_check && ran < *facts.last_check) return;
  const std::u16string name = u"「" + row.item.name + u"」 " + DayAndTime(ran);
  if (row.item.exit_code != 0) {
    lines.push_back({NoticeKind::Failed, ran, u"失敗 " + name + u" (コード " + ZeroPadded(row.item.exit_code, 1) + u")",
                     row.item.name});
  } else {
    lines.push_back(
        {NoticeKind::NeedsLook, ran,
         u"要確認 " + name +
             (row.left == RunLeft::NoFile ? u" (ファイルなし)" : u" (" + MegabyteText(row.left_bytes) + u")"),
         row.item.name});
  }
}

void AddNextRecording(const ReservationRow& row, const CheckFacts& facts, LocalMinute now,
                      std::set<std::pair<std::u16string, std::u16string>>& pairs, std::vector<NoticeLine>& lines) {
  if (row.standing != Standing::Records || !row.next_start || *row.next_start < now ||
      *row.next_start >= now + kNoticeHorizon) {
    return;
  }
  const LocalMinute next = *row.next_start;
  const std::u16string name = u"「" + row.item.name + u"」 ";
  for (const MissingNeed& need : row.missing) {
    lines.push_back({need.need == Need::Recorder ? NoticeKind::NoRecorder : NoticeKind::NoFolder, next,
                     MissingNeedWord(need.need) + u" " + name + DayAndTime(next), row.item.name});
  }
  for (const RowCollision& collision : row.collisions) {
    if (collision.from >= now + kNoticeHorizon) continue;
    // A pair is one line, whichever of the two it is read from.
    auto pair = std::minmax(row.item.name, collision.other);
    if (!pairs.insert({pair.first, pair.second}).second) continue;
    lines.push_back({NoticeKind::Collides, collision.from,
                     u"重複 「" + pair.first + u"」と「" + pair.second + u"」 " + DayAndTime(collision.from),
                     row.item.name});
  }
  if (facts.wake != WakeWarning::None && AsksToWake(row)) {
    lines.push_back({NoticeKind::WillNotWake, next, u"復帰しません " + name + DayAndTime(next), row.item.name});
  }
}

}  // namespace

std::vector<NoticeLine> NoticeLines(const std::vector<ReservationRow>& rows, const CheckFacts& facts, LocalMinute now) {
  std::vector<NoticeLine> lines;
  for (const std::u16string& what : facts.unreadable) lines.push_back({NoticeKind::Unreadable, now, what, {}});
  std::set<std::pair<std::u16string, std::u16string>> pairs;
  for (const ReservationRow& row : rows) {
    AddLastRun(row, facts, lines);
    AddNextRecording(row, facts, now, pairs, lines);
  }
  for (const DiskShortfall& shortfall : facts.shortfalls) {
    lines.push_back({NoticeKind::DiskShort,
                     now,
                     u"空き不足 " + shortfall.root + u" (空き " + SizeText(shortfall.free_bytes) + u"、今後 7 日に約 " +
                         SizeText(shortfall.bytes, true) + u")",
                     {}});
  }
  std::stable_sort(lines.begin(), lines.end(), [](const NoticeLine& a, const NoticeLine& b) {
    return std::tie(a.kind, a.when) < std::tie(b.kind, b.when);
  });
  return lines;
}

LocalMinute JudgedUpTo(const std::vector<ReservationRow>& rows, LocalMinute now) {
  LocalMinute up_to = now;
  for (const ReservationRow& row : rows) {
    if (row.item.running && row.item.last_run) up_to = std::min(up_to, RunMinute(*row.item.last_run));
  }
  return up_to;
}

std::u16string NoticeText(const std::vector<NoticeLine>& lines, std::size_t shown) {
  std::u16string text;
  for (std::size_t i = 0; i < lines.size() && i < shown; ++i) text += (i == 0 ? u"" : u"\r\n") + lines[i].text;
  if (lines.size() > shown)
    text += u"\r\nほか " + ZeroPadded(static_cast<std::int64_t>(lines.size() - shown), 1) + u" 件";
  return text;
}

std::optional<LocalMinute> ReadLastCheck(SettingsStore& store) {
  const std::u16string text = store.GetString(u"check", u"last", u"", 64);
  // yyyy/MM/dd HH:mm. Whatever does not come back as itself (a stray
  // character, a date that does not exist) is no time.
  if (text.size() != 16) return std::nullopt;
  const auto field = [&text](std::size_t at, std::size_t length) { return ReadInt(text.substr(at, length)); };
  const LocalMinute minute = ToLocalMinute(field(0, 4), field(5, 2), field(8, 2), field(11, 2), field(14, 2));
  if (FormatLocalMinute(minute) != text) return std::nullopt;
  return minute;
}

void WriteLastCheck(SettingsStore& store, LocalMinute minute) {
  store.WriteString(u"check", u"last", FormatLocalMinute(minute));
}
