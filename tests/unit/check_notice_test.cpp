// What the check at logon and every evening tells: a decision table over
// the viewer's own rows.
#include "reservations/checks/check_notice.h"

#include <gtest/gtest.h>

#include "scheduler/trigger_schedule.h"
#include "settings/ini_file_store.h"
#include "support/temp_folder.h"

namespace {

const LocalMinute kNow = ToLocalMinute(2026, 12, 9, 18, 0);

// A reservation that records next at `next`, as the viewer lists it.
ReservationRow Row(std::u16string name, std::optional<LocalMinute> next = std::nullopt) {
  ReservationRow row;
  row.item.name = std::move(name);
  row.next_start = next;
  return row;
}

ReservationRow Ran(std::u16string name, LocalMinute ran, std::uint32_t exit_code, RunLeft left = RunLeft::Recording) {
  ReservationRow row = Row(std::move(name));
  const fw::CalendarTime t = ToCalendarTime(ran);
  row.item.last_run = TaskTime{static_cast<std::uint16_t>(t.year), static_cast<std::uint16_t>(t.month),
                               static_cast<std::uint16_t>(t.day), static_cast<std::uint16_t>(t.hour),
                               static_cast<std::uint16_t>(t.minute)};
  row.item.exit_code = exit_code;
  row.left = left;
  return row;
}

std::vector<std::u16string> Texts(const std::vector<NoticeLine>& lines) {
  std::vector<std::u16string> texts;
  for (const NoticeLine& line : lines) texts.push_back(line.text);
  return texts;
}

TEST(CheckNotice, EachKindOfProblemAloneAndSilenceWhenAllIsWell) {
  const LocalMinute yesterday = kNow - kMinutesPerDay + 180;  // 12/08 21:00
  const LocalMinute tonight = ToLocalMinute(2026, 12, 9, 20, 0);
  ReservationRow no_folder = Row(u"映画", tonight);
  no_folder.missing = {{Need::Folder, u"D:\\rec"}};
  ReservationRow no_recorder = Row(u"映画", tonight);
  no_recorder.missing = {{Need::Recorder, u"C:\\tv\\cap_sts.exe"}};
  ReservationRow pair = Row(u"B", tonight);
  pair.collisions = {{u"A", tonight + 90, tonight + 120}};
  ReservationRow wakes = Row(u"深夜", tonight);
  wakes.item.flags = kTaskFlagSystemRequired;
  ReservationRow running = Ran(u"録画中", kNow - 10, 3);
  running.item.running = true;
  const struct {
    const char* what;
    ReservationRow row;
    CheckFacts facts;
    std::vector<std::u16string> told;
  } cases[] = {
      {"a good run, nothing ahead", Ran(u"正常", yesterday, 0), {}, {}},
      {"a failed run", Ran(u"ドラマ", yesterday, 3), {}, {u"失敗 「ドラマ」 12/08 21:00 (コード 3)"}},
      {"a run that left no file",
       Ran(u"ドラマ", yesterday, 0, RunLeft::NoFile),
       {},
       {u"要確認 「ドラマ」 12/08 21:00 (ファイルなし)"}},
      {"a failed run told at the last check", Ran(u"ドラマ", yesterday, 3), {.last_check = yesterday + 1}, {}},
      {"a failed run still recording", running, {}, {}},
      {"no folder", no_folder, {}, {u"保存先なし 「映画」 12/09 20:00"}},
      {"no recorder", no_recorder, {}, {u"録画プログラムなし 「映画」 12/09 20:00"}},
      {"a collision", pair, {}, {u"重複 「A」と「B」 12/09 21:30"}},
      {"a wake that will not wake",
       wakes,
       {.wake = WakeWarning::WakeTimersOff},
       {u"復帰しません 「深夜」 12/09 20:00"}},
      {"a wake the PC allows", wakes, {}, {}},
      {"a disk short of room",
       Row(u"x"),
       {.shortfalls = {{u"D:", 12'300'000'000, 9, 390, 48'000'000'000}}},
       {u"空き不足 D: (空き 12.3 GB、今後 7 日に約 48 GB)"}},
      {"an unreadable settings file",
       Row(u"x"),
       {.unreadable = {u"設定ファイルを読めません"}},
       {u"設定ファイルを読めません"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Texts(NoticeLines({c.row}, c.facts, kNow)), c.told) << c.what;
}

// A reservation that will not record is told while its next recording
// lies within 24 hours, and at every check while it stays so.
TEST(CheckNotice, TheNextDayIsTheHorizonAndADoomedOneIsToldAgain) {
  for (const auto& [next, told] : {std::pair{kNow, true}, std::pair{kNow + kNoticeHorizon - 1, true},
                                   std::pair{kNow + kNoticeHorizon, false}, std::pair{kNow - 1, false}}) {
    ReservationRow row = Row(u"映画", next);
    row.missing = {{Need::Folder, u"D:\\rec"}};
    EXPECT_EQ(NoticeLines({row}, {}, kNow).size(), told ? 1u : 0u) << next - kNow;
    const LocalMinute later = kNow + 1;
    const bool still = next >= later && next < later + kNoticeHorizon;
    EXPECT_EQ(NoticeLines({row}, {.last_check = kNow}, later).size(), still ? 1u : 0u) << "told again, " << next - kNow;
  }
  // A run still recording at a check is judged at the next.
  ReservationRow running = Ran(u"録画中", kNow - 30, 3);
  running.item.running = true;
  EXPECT_EQ(JudgedUpTo({running, Row(u"x")}, kNow), kNow - 30);
  EXPECT_EQ(JudgedUpTo({Row(u"x"), Ran(u"ended", kNow - 90, 0)}, kNow), kNow);
  // A collision a day ahead is told from the day before.
  ReservationRow pair = Row(u"A", kNow);
  pair.collisions = {{u"B", kNow + kNoticeHorizon, kNow + kNoticeHorizon + 30}};
  EXPECT_TRUE(NoticeLines({pair}, {}, kNow).empty());
  pair.collisions[0].from -= 1;
  EXPECT_EQ(NoticeLines({pair}, {}, kNow).size(), 1u);
  running.item.running = false;
  EXPECT_EQ(NoticeLines({running}, {.last_check = JudgedUpTo({running}, kNow) - 30}, kNow + 60).size(), 1u);
}

TEST(CheckNotice, TheWorstComesFirstAndTheRestAreCounted) {
  const LocalMinute tonight = ToLocalMinute(2026, 12, 9, 20, 0);
  ReservationRow a = Row(u"A", tonight), b = Row(u"B", tonight + 30), film = Row(u"映画", tonight + 60);
  a.collisions = {{u"B", tonight + 30, tonight + 60}};
  b.collisions = {{u"A", tonight + 30, tonight + 60}};
  film.missing = {{Need::Folder, u"D:\\rec"}};
  const std::vector<NoticeLine> lines =
      NoticeLines({a, b, film, Ran(u"ドラマ", kNow - 60, 1), Ran(u"朝", kNow - 600, 2)},
                  {.shortfalls = {{u"D:", 1'000'000, 1, 1, 2'000'000'000}}}, kNow);
  EXPECT_EQ(Texts(lines), (std::vector<std::u16string>{
                              u"失敗 「朝」 12/09 08:00 (コード 2)", u"失敗 「ドラマ」 12/09 17:00 (コード 1)",
                              u"保存先なし 「映画」 12/09 21:00", u"重複 「A」と「B」 12/09 20:30",
                              u"空き不足 D: (空き 1 MB、今後 7 日に約 2 GB)"}));
  EXPECT_EQ(lines.front().reservation, u"朝");
  EXPECT_EQ(NoticeText(lines),
            u"失敗 「朝」 12/09 08:00 (コード 2)\r\n失敗 「ドラマ」 12/09 17:00 (コード 1)\r\n"
            u"保存先なし 「映画」 12/09 21:00\r\nほか 2 件");
  EXPECT_EQ(NoticeText({lines[0]}), lines[0].text);
  EXPECT_EQ(NoticeText({}), u"");
}

// The time of the last check reads back as written; anything else is no
// time, and the check tells every failed run it finds.
TEST(CheckNotice, TheLastCheckReadsBackAsWrittenAndNothingElse) {
  TempFolder folder;
  IniFileStore store(folder.WindowsPath("Brisquet.ini"));
  EXPECT_EQ(ReadLastCheck(store), std::nullopt);
  for (const LocalMinute minute : {kNow, ToLocalMinute(2027, 2, 28, 23, 59), ToLocalMinute(1999, 1, 1, 0, 0)}) {
    WriteLastCheck(store, minute);
    EXPECT_EQ(ReadLastCheck(store), minute);
  }
  for (const char16_t* garbled : {u"2026/02/30 10:00", u"2026/12/09 1800", u"2026/12/09 18:0x", u"-999/12/09 18:00",
                                  u"2026/-1/09 18:00", u"2026/12/09 +8:00", u"yesterday", u""}) {
    store.WriteString(u"check", u"last", garbled);
    EXPECT_EQ(ReadLastCheck(store), std::nullopt) << std::u16string_view(garbled).size();
  }
}

}  // namespace
