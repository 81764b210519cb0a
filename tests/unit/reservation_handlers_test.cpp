// A reservation, a channel pick or a calendar date put into the form as the
// user sees it.
#include <gtest/gtest.h>

#include "platform/local_time.h"
#include "scheduler/job_file.h"
#include "support/main_dialog_fixture.h"
#include "support/temp_folder.h"

namespace {

using namespace std::string_view_literals;

constexpr std::u16string_view kNotInTable =
    u"チャンネル設定ファイルに無いチャンネルです。\r\n手動でチャンネルコマンドを入力してください。";

class Reservations : public MainDialogTest {
 protected:
  Reservations() {
    services.environment[u"SystemRoot"] = folder.WindowsPath("WINDOWS");
    folder.WriteText("channel.txt", u"one,001,Q\ntwo,002,XABCY\nthree,011,Z\nfour,012,W\nfive,005,ABC\n");
  }

  static ProgramInfo Info(std::u16string_view station = u"ABC") {
    ProgramInfo info;
    info.station = station;
    info.year = 2026;
    info.month = 12;
    info.date = 10;  // a Thursday
    info.start_hour = 21;
    info.end_hour = 21;
    info.end_min = 54;
    info.ext_end_hour = 22;
    info.ext_end_min = 24;
    info.program_title = u"番組名[字]";
    return info;
  }
  void Apply(const ProgramInfo& info) { dialog.ApplyProgramInfo(info); }
  // The reservation file the user picks in the open dialog.
  void OpenFromButton(std::string_view name, std::u16string_view text) {
    folder.WriteText(name, text);
    services.file_choices.push_back(folder.WindowsPath(name));
    window->ClickButton(IDC_OPEN_IEPG);
  }
  std::vector<int> TickedWeekdays() const {
    std::vector<int> days;
    for (int d = 0; d < 7; ++d) {
      if (window->GetCheck(IDC_SUNDAY + d) != 0) days.push_back(d);
    }
    return days;
  }
};

TEST_F(Reservations, ApplyingFillsDateTimesNamesWeekdayAndChannel) {
  Open();
  window->ClickCheckBox(IDC_SATURDAY);  // the broadcast's own day is the one ticked
  Apply(Info());
  const fw::CalendarTime date = window->Calendar(IDC_START_DATE).GetCurSel();
  EXPECT_EQ(date.day, 10);
  EXPECT_EQ(window->DateTime(IDC_START_TIME).GetTime().hour, 21);
  EXPECT_EQ(window->DateTime(IDC_END_TIME).GetTime().minute, 54);
  EXPECT_EQ(TickedWeekdays(), std::vector<int>{4});
  EXPECT_EQ(dialog.form.start_weekday, 4);
  EXPECT_EQ(window->GetText(IDC_FILE_NAME), u"番組名[字]");
  EXPECT_EQ(window->GetText(IDC_REGISTRATION_NAME), u"番組名[字]");
  // The first row whose stations contain the name wins.
  EXPECT_EQ(window->List(IDC_CHANNEL_LIST).GetCurSel(), 1);
  EXPECT_EQ(window->GetText(IDC_CHANNEL), u"002");
  EXPECT_EQ(Preview(), u"cap_sts.exe \"C:\\番組名[字].ts\" @002 21:00-21:54 B");
  EXPECT_TRUE(window->message_boxes().empty());
}

TEST_F(Reservations, AnUnknownStationAsksForTheChannelByHand) {
  Open();
  window->SelectListItem(IDC_CHANNEL_LIST, 0);
  Apply(Info(u"NOWHERE"));
  ASSERT_EQ(window->message_boxes().size(), 1u);
  EXPECT_EQ(window->message_boxes()[0], kNotInTable);
  EXPECT_EQ(window->message_box_captions()[0], u"Halvorn2");
  EXPECT_EQ(window->GetText(IDC_CHANNEL), u"");
  EXPECT_EQ(window->List(IDC_CHANNEL_LIST).GetCurSel(), -1);
  EXPECT_EQ(window->GetText(IDC_FILE_NAME), u"番組名[字]");  // everything else is applied
}

TEST_F(Reservations, AStationSpelledAnotherWayOrNamedBesideIsFound) {
  folder.WriteText("channel.txt", u"ＭＸ,091,DFS05C38 ＴＯＫＹＯ ＭＸ１\nショップ,C055,CSDT055 ショップチャンネル\n");
  Open();
  Apply(Info(u"CSDT55"));
  EXPECT_EQ(window->GetText(IDC_CHANNEL), u"C055");
  ProgramInfo info = Info(u"DFS9999");
  info.station_name = u"ＴＯＫＹＯ\u3000ＭＸ１";
  Apply(info);
  EXPECT_EQ(window->GetText(IDC_CHANNEL), u"091");
  EXPECT_EQ(window->List(IDC_CHANNEL_LIST).GetCurSel(), 0);
  EXPECT_TRUE(window->message_boxes().empty());
}

TEST_F(Reservations, SubtitleAndBracketSwitchesShapeTheNames) {
  Open();
  ProgramInfo info = Info();
  info.program_subtitle = u"第1話";
  window->ClickCheckBox(IDC_SUBTITLE);  // off
  Apply(info);
  EXPECT_EQ(window->GetText(IDC_FILE_NAME), u"番組名[字]");
  EXPECT_EQ(dialog.form.name_with_subtitle, u"番組名[字]-第1話");
  window->ClickCheckBox(IDC_SUBTITLE);  // on again
  EXPECT_EQ(window->GetText(IDC_FILE_NAME), u"番組名[字]-第1話");

  window->ClickCheckBox(IDC_PARENTHESES);
  EXPECT_EQ(window->GetText(IDC_FILE_NAME), u"番組名-第1話");
  EXPECT_EQ(window->GetText(IDC_REGISTRATION_NAME), u"番組名");
  window->ClickCheckBox(IDC_PARENTHESES);  // removed text does not come back
  EXPECT_EQ(window->GetText(IDC_FILE_NAME), u"番組名-第1話");

  info.task_name = u"Rec[1]";
  window->ClickCheckBox(IDC_PARENTHESES);
  Apply(info);
  EXPECT_EQ(window->GetText(IDC_REGISTRATION_NAME), u"Rec");
  EXPECT_EQ(window->GetText(IDC_FILE_NAME), u"番組名-第1話");
}

TEST_F(Reservations, TheSubtitleSwitchCleansTheFileNameButNeverTheRegistrationName) {
  Open();
  ProgramInfo info = Info();
  info.program_subtitle = u"(前編)";
  window->ClickCheckBox(IDC_PARENTHESES);
  Apply(info);
  window->Type(IDC_REGISTRATION_NAME, u"Rec[1]");
  window->ClickCheckBox(IDC_SUBTITLE);  // off
  EXPECT_EQ(window->GetText(IDC_FILE_NAME), u"番組名");
  window->ClickCheckBox(IDC_SUBTITLE);  // on
  EXPECT_EQ(window->GetText(IDC_FILE_NAME), u"番組名-");
  EXPECT_EQ(window->GetText(IDC_REGISTRATION_NAME), u"Rec[1]");
}

TEST_F(Reservations, TheSubtitleSwitchDoesNothingWithoutNames) {
  Open();
  window->ClickCheckBox(IDC_SUBTITLE);
  EXPECT_EQ(window->GetText(IDC_FILE_NAME), u"test");
  dialog.form.name_with_subtitle.clear();
  window->Type(IDC_FILE_NAME, u"typed");
  const std::u16string before = Preview();
  window->ClickCheckBox(IDC_SUBTITLE);
  EXPECT_EQ(window->GetText(IDC_FILE_NAME), u"typed");
  EXPECT_EQ(Preview(), before);
}

TEST_F(Reservations, StoredWeekdaysComeBackShiftedWhenTheLeadCrossedMidnight) {
  Open();
  struct Case {
    int days, hour, minute, offset;
    std::vector<int> expected;
  };
  for (const Case& c : {Case{0x02, 0, 5, 10, {2}}, Case{0x40, 0, 0, 1, {0}}, Case{0x02, 0, 10, 10, {1}},
                        Case{0x2A, 20, 0, 1, {1, 3, 5}}, Case{0x41, 20, 0, 1, {0, 6}}}) {
    ProgramInfo info = Info();
    info.trigger_days = c.days;
    info.start_hour = c.hour;
    info.start_min = c.minute;
    dialog.form.offset_min = c.offset;
    Apply(info);
    EXPECT_EQ(TickedWeekdays(), c.expected) << "days " << c.days;
    EXPECT_EQ(dialog.form.start_weekday, 4);
  }
}

TEST_F(Reservations, ExtendChoosesBetweenTheTwoEndTimes) {
  Open();
  window->ClickCheckBox(IDC_EXTEND);
  Apply(Info());
  EXPECT_EQ(window->DateTime(IDC_END_TIME).GetTime().hour, 22);
  EXPECT_EQ(window->DateTime(IDC_END_TIME).GetTime().minute, 24);
  window->ClickCheckBox(IDC_EXTEND);
  EXPECT_EQ(window->DateTime(IDC_END_TIME).GetTime().minute, 54);
}

TEST_F(Reservations, PickingDatesAddsTheirWeekdays) {
  Open();
  window->PickDate(IDC_START_DATE, {2026, 12, 0, 11, 0, 0, 0});  // Friday
  window->PickDate(IDC_START_DATE, {2026, 12, 0, 14, 0, 0, 0});  // Monday
  EXPECT_EQ(TickedWeekdays(), (std::vector<int>{1, 2, 5}));
  EXPECT_EQ(dialog.form.start_weekday, 1);
}

TEST_F(Reservations, TheOpenButtonAppliesAReservationAndDropsUnreadValues) {
  Open();
  window->Type(IDC_ACCOUNT, u"typed but never read");
  OpenFromButton(
      "late.tvpi",
      u"Content-type: application/x-tv-program-info\nversion: 1\nstation: ABC\nyear: 2009\nmonth: 1\ndate: 31\n"
      u"start: 25:30\nend: 26:00\nprogram-title: 深夜\n");
  ASSERT_EQ(services.file_requests.size(), 1u);
  EXPECT_EQ(services.file_requests[0].filter, u"iEPGファイル\0*.tvpid;*.tvpi;*.php;*.php3\0全てのファイル\0*.*\0"sv);
  const fw::CalendarTime date = window->Calendar(IDC_START_DATE).GetCurSel();
  EXPECT_EQ(date.month, 2);
  EXPECT_EQ(date.day, 1);
  EXPECT_EQ(TickedWeekdays(), std::vector<int>{0});  // 1 February 2009 was a Sunday
  EXPECT_EQ(window->GetText(IDC_ACCOUNT), u"");
  EXPECT_EQ(window->GetText(IDC_FILE_NAME), u"深夜");

  // Cancelling, or a file that is no reservation, changes nothing.
  services.file_choices.push_back(std::nullopt);
  window->ClickButton(IDC_OPEN_IEPG);
  OpenFromButton("bad.tvpi", u"not a reservation\n");
  EXPECT_EQ(window->GetText(IDC_FILE_NAME), u"深夜");
  EXPECT_TRUE(window->message_boxes().empty());
}

TEST_F(Reservations, AReservationNamingAWorkItemMakesRegistrationQuiet) {
  Open();
  OpenFromButton("named.tvpi",
                 u"Content-type: application/x-tv-program-info\nversion: 1\nstation: ABC\nstart: 21:00\nend: 22:00\n"
                 u"program-title: t\nTASKNAME: Weekly.job\n");
  EXPECT_EQ(dialog.form.registration_mode, RegistrationMode::Quiet);
  EXPECT_EQ(window->GetCheck(IDC_DELETE_SAME_NAME), 1);
  EXPECT_EQ(window->GetText(IDC_REGISTRATION_NAME), u"Weekly");
}

TEST_F(Reservations, TheChannelListFollowsTheUsersPick) {
  Open();
  EXPECT_EQ(window->List(IDC_CHANNEL_LIST).GetCount(), 5);
  EXPECT_EQ(window->List(IDC_CHANNEL_LIST).GetText(2), u"three");
  // Every row, the first and the last among them, gives its own command.
  const std::u16string commands[] = {u"001", u"002", u"011", u"012", u"005"};
  for (int row : {1, 0, 4, 2}) {
    window->SelectListItem(IDC_CHANNEL_LIST, row);
    EXPECT_EQ(window->GetText(IDC_CHANNEL), commands[row]) << "row " << row;
    EXPECT_NE(Preview().find(u"@" + commands[row]), std::u16string::npos) << "row " << row;
  }
}

TEST_F(Reservations, AQuotedFileArgumentMayHoldBlanks) {
  folder.WriteText("with blank.tvpi",
                   u"Content-type: application/x-tv-program-info\nversion: 1\nstation: ABC\nstart: 21:00\nend: 22:00\n"
                   u"program-title: quoted\n");
  const std::u16string path = folder.WindowsPath("with blank.tvpi");
  const std::u16string quoted = u"\"" + path + u"\"";
  dialog.command_line = &quoted;
  Open();
  EXPECT_EQ(window->GetText(IDC_FILE_NAME), u"quoted");
}

TEST_F(Reservations, ABareFileArgumentIsTakenWhole) {
  folder.WriteText("bare name.tvpi",
                   u"Content-type: application/x-tv-program-info\nversion: 1\nstation: ABC\nstart: 21:00\nend: 22:00\n"
                   u"program-title: bare\n");
  const std::u16string path = folder.WindowsPath("bare name.tvpi");
  dialog.command_line = &path;
  Open();
  EXPECT_EQ(window->GetText(IDC_FILE_NAME), u"bare");
  EXPECT_EQ(dialog.form.registration_mode, RegistrationMode::Normal);
}

}  // namespace
