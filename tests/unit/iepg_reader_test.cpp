// Reading iEPG reservation files as guide sites and TV viewers write them.
#include "iepg/iepg_reader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include "scheduler/job_file.h"
#include "support/temp_folder.h"

namespace {

constexpr fw::CalendarTime kToday{2026, 12, 2, 8, 0, 0, 0};

class IepgReader : public ::testing::Test {
 protected:
  IepgReader() {
    setenv("TZ", "Asia/Tokyo", 1);
    tzset();
    context.today = kToday;
    context.system_root = folder.WindowsPath("WINDOWS");
  }

  bool Read(std::u16string_view text) { return ReadIepgText(text, info, form, context); }
  bool ReadFile(std::string_view data_name) {
    folder.WriteBytes(data_name, ReadTestData(data_name));
    return ReadIepgFile(folder.WindowsPath(data_name), info, form, context);
  }
  // A minimal acceptable reservation with `extra` header lines after it.
  bool ReadWith(std::u16string_view extra) {
    return Read(u"Content-type: application/x-tv-program-info\nversion: 1\nstation: S\nstart: 21:00\nend: 21:30\n" +
                std::u16string(extra));
  }
  void StoreWorkItem(std::string_view name, std::string bytes) {
    folder.WriteBytes("WINDOWS/Tasks/" + std::string(name), bytes);
  }

  TempFolder folder;
  IepgReadContext context;
  ProgramInfo info;
  ReservationForm form;
};

std::string WeeklyWorkItem(std::uint16_t days, std::uint32_t type = 2) {
  JobFile job;
  job.application_name = u"C:\\tv\\cap_sts.exe";
  JobTrigger trigger;
  trigger.type = type;
  trigger.type_data = {1, days, 0};
  job.triggers.push_back(trigger);
  return SerializeJobFile(job);
}

TEST_F(IepgReader, ReadsAFileAsTvViewersWriteIt) {
  ASSERT_TRUE(ReadFile("viewer_digital.tvpid"));
  EXPECT_EQ(info.version, 2);
  EXPECT_EQ(info.station, u"DFS00400");
  EXPECT_EQ(info.year, 2009);
  EXPECT_EQ(info.month, 1);
  EXPECT_EQ(info.date, 31);
  EXPECT_EQ(info.start_hour, 21);
  EXPECT_EQ(info.end_min, 54);
  EXPECT_EQ(info.program_title, u"ニュース[字]");
  EXPECT_TRUE(info.program_subtitle.empty());
  EXPECT_TRUE(info.description.empty());
  EXPECT_EQ(info.ext_end_hour, 21);
  EXPECT_EQ(info.ext_end_min, 54);
}

TEST_F(IepgReader, ReadsAFileAsGuideSitesWroteIt) {
  ASSERT_TRUE(ReadFile("guide_site.tvpi"));
  EXPECT_EQ(info.version, 1);
  EXPECT_EQ(info.station, u"ＴＢＳテレビ");
  EXPECT_EQ(info.program_subtitle, u"第１話「旅立ち」");
  EXPECT_EQ(info.performer, u"山田太郎、鈴木花子");
  EXPECT_EQ(info.genre, 3);
  EXPECT_EQ(info.description, u"年の瀬に贈る特別ドラマ。\n主人公は旅に出る。\n");
  // 24:00 on New Year's Eve is midnight of New Year's Day.
  EXPECT_EQ(info.year, 2009);
  EXPECT_EQ(info.month, 1);
  EXPECT_EQ(info.date, 1);
  EXPECT_EQ(info.start_hour, 0);
  EXPECT_EQ(info.end_hour, 1);
  EXPECT_EQ(info.end_min, 30);
}

TEST_F(IepgReader, AcceptsOnlyTheTwoContentTypesOnTheFirstLine) {
  EXPECT_TRUE(
      Read(u"Content-type: application/x-tv-program-info; charset=shift_jis\nversion: 1\nstation: S\nstart: 1:00\nend: "
           u"2:00"));
  EXPECT_TRUE(
      Read(u"Content-type: application/x-tv-program-digital-info\nversion: 2\nstation: S\nstart: 1:00\nend: 2:00"));
  EXPECT_FALSE(Read(u"Content-Type: application/x-tv-program-info\nversion: 1\nstation: S\nstart: 1:00\nend: 2:00"));
  EXPECT_FALSE(Read(u"version: 1\nContent-type: application/x-tv-program-info\nstation: S\nstart: 1:00\nend: 2:00"));
  EXPECT_FALSE(Read(u""));
  EXPECT_FALSE(Read(u"Content-type: text/plain\nversion: 1\nstation: S\nstart: 1:00\nend: 2:00"));
}

TEST_F(IepgReader, RejectsWhatLacksVersionStationOrTimes) {
  EXPECT_FALSE(Read(u"Content-type: application/x-tv-program-info\nversion: 3\nstation: S\nstart: 1:00\nend: 2:00"));
  EXPECT_FALSE(Read(u"Content-type: application/x-tv-program-info\nversion: 1\nstart: 1:00\nend: 2:00"));
  EXPECT_FALSE(Read(u"Content-type: application/x-tv-program-info\nversion: 1\nstation: S\nend: 2:00"));
  EXPECT_FALSE(Read(u"Content-type: application/x-tv-program-info\nversion: 1\nstation: S\nstart: 1:00"));
}

TEST_F(IepgReader, RecognisesKeysOnlyAtTheStartOfAHeaderLine) {
  EXPECT_FALSE(
      Read(u"Content-type: application/x-tv-program-info\nversion: 1\nstation:S\n station: S\nstart: 1:00\nend: 2:00"));
  // Keys after the first empty line are description.
  EXPECT_FALSE(
      Read(u"Content-type: application/x-tv-program-info\nversion: 1\nstart: 1:00\nend: 2:00\n\nstation: S\n"));
  EXPECT_FALSE(Read(u"Content-type: application/x-tv-program-info\n\nversion: 1\nstation: S\nstart: 1:00\nend: 2:00"));
  ASSERT_TRUE(ReadWith(u"program-title: first\nprogram-title: second\nperformer: " + std::u16string(100, u'p')));
  EXPECT_EQ(info.program_title, u"second");
  EXPECT_EQ(info.performer.size(), 79u);
}

TEST_F(IepgReader, AMissingDateIsToday) {
  ASSERT_TRUE(ReadWith(u"date: 0\n"));
  EXPECT_EQ(info.year, 2026);
  EXPECT_EQ(info.month, 12);
  EXPECT_EQ(info.date, 8);
  // Each part of the date is replaced on its own.
  ASSERT_TRUE(ReadWith(u"year: 2030\nmonth: 0\ndate: 3\n"));
  EXPECT_EQ(info.year, 2030);
  EXPECT_EQ(info.month, 12);
  EXPECT_EQ(info.date, 3);
  ASSERT_TRUE(ReadWith(u"year: 0\nmonth: 4\ndate: 5\n"));
  EXPECT_EQ(info.year, 2026);
  EXPECT_EQ(info.month, 4);
  EXPECT_EQ(info.date, 5);
  ASSERT_TRUE(ReadWith(u"year: 2031\nmonth: 6\n"));
  EXPECT_EQ(info.year, 2031);
  EXPECT_EQ(info.month, 6);
  EXPECT_EQ(info.date, 8);
}

TEST_F(IepgReader, NormalisesTimesPastMidnightAndMinutesPastFiftyNine) {
  ASSERT_TRUE(
      Read(u"Content-type: application/x-tv-program-info\nversion: 1\nstation: S\nyear: 2009\nmonth: 1\ndate: 31\n"
           u"start: 25:30\nend: 24:10"));
  EXPECT_EQ(info.month, 2);
  EXPECT_EQ(info.date, 1);
  EXPECT_EQ(info.start_hour, 1);
  EXPECT_EQ(info.start_min, 30);
  EXPECT_EQ(info.end_hour, 0);
  EXPECT_EQ(info.end_min, 10);

  ASSERT_TRUE(Read(u"Content-type: application/x-tv-program-info\nversion: 1\nstation: S\nstart: 20:75\nend: 7:5"));
  EXPECT_EQ(info.start_min, 59);
  EXPECT_EQ(info.end_hour, 7);
  EXPECT_EQ(info.end_min, 5);
  ASSERT_TRUE(Read(u"Content-type: application/x-tv-program-info\nversion: 1\nstation: S\nstart: 20:00\nend: 21:60"));
  EXPECT_EQ(info.end_hour, 21);
  EXPECT_EQ(info.end_min, 59);
}

TEST_F(IepgReader, TheNextDayRuleHoldsAcrossDaylightSavingChanges) {
  setenv("TZ", "America/New_York", 1);
  tzset();
  // Clocks went forward on 8 March 2009 and back on 1 November 2009.
  ASSERT_TRUE(
      Read(u"Content-type: application/x-tv-program-info\nversion: 1\nstation: S\nyear: 2009\nmonth: 3\ndate: 7\n"
           u"start: 26:30\nend: 27:00"));
  EXPECT_EQ(info.date, 8);
  EXPECT_EQ(info.start_hour, 2);
  ASSERT_TRUE(
      Read(u"Content-type: application/x-tv-program-info\nversion: 1\nstation: S\nyear: 2009\nmonth: 10\ndate: 31\n"
           u"start: 24:30\nend: 25:00"));
  EXPECT_EQ(info.month, 11);
  EXPECT_EQ(info.date, 1);
}

TEST_F(IepgReader, ComputesTheExtendedEnd) {
  ASSERT_TRUE(Read(
      u"Content-type: application/x-tv-program-info\nversion: 1\nstation: S\nstart: 23:00\nend: 23:50\nExtend: 90"));
  EXPECT_EQ(info.ext_end_hour, 1);
  EXPECT_EQ(info.ext_end_min, 20);
  ASSERT_TRUE(Read(
      u"Content-type: application/x-tv-program-info\nversion: 1\nstation: S\nstart: 23:00\nend: 23:50\nextend: 5"));
  EXPECT_EQ(info.ext_end_min, 55);
}

TEST_F(IepgReader, RejectsDatesAndTimesThatCannotBeBuilt) {
  for (const char16_t* bad :
       {u"month: 13\n", u"date: 32\n", u"year: 1800\n", u"start: 48:00\n", u"start: -1:00\n", u"end: 21:-5\n",
        u"month: -2\n", u"year: 10000\n", u"extend: -2000\n", u"end: 0:10\nextend: -70\n"}) {
    EXPECT_FALSE(ReadWith(bad)) << std::string(bad, bad + 0);
  }
  EXPECT_TRUE(ReadWith(u"start: 47:59\nend: 47:00\n"));
}

TEST_F(IepgReader, KeepsTheLastLineWithoutALineFeedAndCutsTheDescription) {
  ASSERT_TRUE(
      Read(u"Content-type: application/x-tv-program-info\nversion: 1\nstation: S\nstart: 1:00\nend: "
           u"2:00\nprogram-title: last"));
  EXPECT_EQ(info.program_title, u"last");

  ASSERT_TRUE(ReadWith(u"\n" + std::u16string(70000, u'd') + u"\nmore\n"));
  EXPECT_EQ(info.description.size(), ProgramInfo::kMaxDescription);
  std::u16string lines;
  for (int i = 0; i < 20; ++i) lines += std::u16string(3999, u'l') + u"\n";
  ASSERT_TRUE(ReadWith(u"\n" + lines));
  EXPECT_EQ(info.description, lines.substr(0, ProgramInfo::kMaxDescription));
}

TEST_F(IepgReader, ReadsAnOverlongLineInPiecesThatEachCountAsALine) {
  // The piece after 65534 characters is the line's own line feed: an empty
  // line, so the header ends there.
  ASSERT_TRUE(ReadWith(u"performer: " + std::u16string(65534 - 11, u'x') + u"\nprogram-title: in the description\n"));
  EXPECT_TRUE(info.program_title.empty());
  EXPECT_EQ(info.description, u"program-title: in the description\n");
}

TEST_F(IepgReader, AcceptsBytesThatAreNotCodePage932) {
  folder.WriteBytes("broken.tvpi",
                    "Content-type: application/x-tv-program-info\r\nversion: 1\r\nstation: \x82\xff\x85\r\nstart: "
                    "1:00\r\nend: 2:00\r\n");
  EXPECT_TRUE(ReadIepgFile(folder.WindowsPath("broken.tvpi"), info, form, context));
  EXPECT_FALSE(info.station.empty());
  EXPECT_FALSE(ReadIepgFile(folder.WindowsPath("missing.tvpi"), info, form, context));
}

TEST_F(IepgReader, TaskNameReadsTheStoredWorkItemsRepeatModeAndWeekdays) {
  StoreWorkItem("Rec1.job", WeeklyWorkItem(0x2A));
  ASSERT_TRUE(ReadWith(u"TASKNAME: Rec1.job\n"));
  EXPECT_EQ(info.task_name, u"Rec1");
  EXPECT_EQ(form.repeat, kRepeatWeekly);
  EXPECT_EQ(info.trigger_days, 0x2A);
  EXPECT_EQ(form.delete_same_name, 1);
  EXPECT_EQ(form.registration_mode, RegistrationMode::Quiet);

  StoreWorkItem("Rec2", WeeklyWorkItem(0x82));
  ASSERT_TRUE(ReadWith(u"TASKNAME: Rec2\n"));
  EXPECT_EQ(info.task_name, u"Rec2");
  EXPECT_EQ(info.trigger_days, 0x02);

  // Sixteen bytes are the least that hold the two bytes before the end.
  StoreWorkItem("Tiny.job", std::string("\x02\0\0\0\0\0\x2A", 7) + std::string(9, '\0'));
  ASSERT_TRUE(ReadWith(u"TASKNAME: Tiny.job\n"));
  EXPECT_EQ(form.repeat, kRepeatWeekly);
  EXPECT_EQ(info.trigger_days, 0x2A);

  // The last line wins, weekdays included.
  ASSERT_TRUE(ReadWith(u"TASKNAME: Rec1.job\nTASKNAME: Missing.job\n"));
  EXPECT_EQ(form.repeat, kRepeatOnce);
  EXPECT_EQ(info.trigger_days, 0);
}

TEST_F(IepgReader, TaskNameFindsTheTriggerAlsoBeforeAJobSignature) {
  StoreWorkItem("Signed.job", WeeklyWorkItem(0x41) + std::string(68, '\0'));
  ASSERT_TRUE(ReadWith(u"TASKNAME: Signed.job\n"));
  EXPECT_EQ(form.repeat, kRepeatWeekly);
  EXPECT_EQ(info.trigger_days, 0x41);
}

TEST_F(IepgReader, AnUnusableWorkItemMeansOnceWithoutWeekdays) {
  StoreWorkItem("Monthly.job", WeeklyWorkItem(0x2A, 3));
  StoreWorkItem("Short.job", std::string(10, '\x02'));
  for (const char16_t* line : {u"TASKNAME: Monthly.job\n", u"TASKNAME: Short.job\n", u"TASKNAME: Missing.job\n",
                               u"TASKNAME: ..\\..\\elsewhere.job\n"}) {
    form.repeat = kRepeatDaily;
    ASSERT_TRUE(ReadWith(line));
    EXPECT_EQ(form.repeat, kRepeatOnce);
    EXPECT_EQ(info.trigger_days, 0);
  }
  // A path that would not fit in 516 bytes is not read at all, however the
  // bytes fall between the folder and the name.
  const std::string long_root = "WINDOWS/" + std::string(200, 'r') + "/" + std::string(200, 's');
  context.system_root = folder.WindowsPath(long_root);
  folder.WriteBytes(long_root + "/Tasks/" + std::string(100, 'n') + ".job", WeeklyWorkItem(0x2A));
  ASSERT_TRUE(ReadWith(u"TASKNAME: " + std::u16string(100, u'n') + u".job\n"));
  EXPECT_EQ(form.repeat, kRepeatOnce);
  context.system_root = folder.WindowsPath("WINDOWS");
  // A name whose path would not fit is not read at all.
  StoreWorkItem(std::string(600, 'n'), WeeklyWorkItem(0x2A));
  ASSERT_TRUE(ReadWith(u"TASKNAME: " + std::u16string(600, u'n') + u"\n"));
  EXPECT_EQ(form.repeat, kRepeatOnce);
  EXPECT_EQ(info.task_name.size(), 79u);
}

TEST_F(IepgReader, TaskNameReadsNothingButAWorkItemFileInTheTasksFolder) {
  // Every one of these names a device or leads elsewhere; a file of that
  // name in the Tasks folder is not read either.
  for (const char16_t* name :
       {u"COM1", u"com1.job", u"LPT9.job", u"NUL", u"nul.txt", u"Con .job", u"AUX.job", u"PRN", u"aux.job", u"CONIN$",
        u"COM\u00B9.job", u"com\u00B2", u"LPT\u00B3.job", u"sub\\x.job", u"sub/x.job", u"C:x.job"}) {
    const std::u16string value(name);
    std::string file(value.begin(), value.end());
    std::replace(file.begin(), file.end(), '\\', '/');
    if (value.find(u':') == std::u16string::npos) StoreWorkItem(file, WeeklyWorkItem(0x2A));
    form.repeat = kRepeatDaily;
    ASSERT_TRUE(ReadWith(u"TASKNAME: " + value + u"\n"));
    EXPECT_EQ(form.repeat, kRepeatOnce) << std::string(value.begin(), value.end());
    EXPECT_EQ(form.delete_same_name, 1);
  }
  // Names that merely look alike are work items like any other, and dots
  // belong to the name: only a final ".job" is taken off.
  const std::pair<const char16_t*, const char16_t*> names[] = {{u"COM10.job", u"COM10"},
                                                               {u"CONSOLE.job", u"CONSOLE"},
                                                               {u"nul1.job", u"nul1"},
                                                               {u"LPT.job", u"LPT"},
                                                               {u"COM0.job", u"COM0"},
                                                               {u"a..job", u"a."},
                                                               {u"ドラマ....job", u"ドラマ..."},
                                                               {u"my.jobs.job", u"my.jobs"},
                                                               {u"my.jobs", u"my.jobs"},
                                                               // Windows opens these as the file ドラマ.job.
                                                               {u"ドラマ.job.", u"ドラマ"},
                                                               {u"ドラマ.job ", u"ドラマ"},
                                                               {u"ドラマ.JOB", u"ドラマ"},
                                                               {u"ドラマ.Job. .", u"ドラマ"}};
  for (const auto& [file, task_name] : names) {
    const std::u16string value(file);
    const bool named_the_windows_way = std::u16string_view(task_name) == u"ドラマ";
    StoreWorkItem(std::filesystem::path(named_the_windows_way ? u"ドラマ.job" : value).string(), WeeklyWorkItem(0x2A));
    ASSERT_TRUE(ReadWith(u"TASKNAME: " + value + u"\n"));
    EXPECT_EQ(form.repeat, kRepeatWeekly) << std::filesystem::path(value).string();
    EXPECT_EQ(info.task_name, task_name);
  }
}

TEST_F(IepgReader, ANameWindowsReducesToNothingIsNoTaskName) {
  StoreWorkItem("Rec1.job", WeeklyWorkItem(0x2A));
  for (const char16_t* value : {u"", u" ", u".", u"..", u".job", u"..job", u"...JOB", u" .job", u". .job ."}) {
    form.repeat = kRepeatDaily;
    form.delete_same_name = 0;
    form.registration_mode = RegistrationMode::Normal;
    const std::u16string line = u"TASKNAME: " + std::u16string(value) + u"\n";
    ASSERT_TRUE(ReadWith(line));
    EXPECT_EQ(form.delete_same_name, 0) << std::filesystem::path(value).string();
    EXPECT_EQ(form.repeat, kRepeatDaily);
    EXPECT_EQ(form.registration_mode, RegistrationMode::Normal);
    EXPECT_TRUE(info.task_name.empty());
    // Nor does it undo a TASKNAME before it.
    ASSERT_TRUE(ReadWith(u"TASKNAME: Rec1.job\n" + line));
    EXPECT_EQ(info.task_name, u"Rec1");
    EXPECT_EQ(form.repeat, kRepeatWeekly);
  }
}

TEST_F(IepgReader, KeepsTheBroadcastersNameBesideTheStation) {
  ASSERT_TRUE(ReadWith(u"station-name: ＴＯＫＹＯ\u3000ＭＸ１\n"));
  EXPECT_EQ(info.station, u"S");
  EXPECT_EQ(info.station_name, u"ＴＯＫＹＯ\u3000ＭＸ１");
  ASSERT_TRUE(ReadWith(u"station-name: " + std::u16string(100, u'n') + u"\n"));
  EXPECT_EQ(info.station_name.size(), 79u);
}

TEST_F(IepgReader, AFileOfLineFeedsIsReadUntilTheDescriptionIsFull) {
  folder.WriteBytes("feeds.tvpi",
                    "Content-type: application/x-tv-program-info\nversion: 1\nstation: S\nstart: 1:00\n"
                    "end: 2:00\n" +
                        std::string(4 << 20, '\n'));
  ASSERT_TRUE(ReadIepgFile(folder.WindowsPath("feeds.tvpi"), info, form, context));
  EXPECT_EQ(info.description, std::u16string(ProgramInfo::kMaxDescription, u'\n'));
  // Without a header block, nothing but line feeds: no reservation.
  folder.WriteBytes("only.tvpi", std::string(1 << 20, '\n'));
  EXPECT_FALSE(ReadIepgFile(folder.WindowsPath("only.tvpi"), info, form, context));
}

TEST_F(IepgReader, TunerIdIsTakenOnlyAsAPlainNumberAndStaysWhenTheFileIsRejected) {
  EXPECT_FALSE(Read(u"Content-type: application/x-tv-program-info\nFX2ID: 2\nversion: 9"));
  EXPECT_EQ(form.id, u"2");
  ASSERT_TRUE(ReadWith(u"FX2ID: 123456789\n"));
  EXPECT_EQ(form.id, u"123456789");
  ASSERT_TRUE(ReadWith(u"FX2ID:  12 \n"));
  EXPECT_EQ(form.id, u"12");
  for (const char16_t* hostile :
       {u"FX2ID: 3 P @999\n", u"FX2ID: -a\n", u"FX2ID: 1234567890\n", u"FX2ID: \n", u"FX2ID: 1\"\n"}) {
    ASSERT_TRUE(ReadWith(hostile));
    EXPECT_EQ(form.id, u"12");
  }
}

}  // namespace

namespace {

TEST_F(IepgReader, OwnKeysTakeOnlyTunerNumbersAndChannelsThatCarryNoSwitches) {
  for (std::u16string id : {u"2", u"02", u"2.0", u"+2", u"1e1", u"-3", u"1.5E+2", u"123456789"}) {
    form.id = u"x";
    ASSERT_TRUE(ReadWith(u"FX2ID: " + id + u"\n"));
    EXPECT_EQ(form.id, id);
  }
  for (std::u16string id : {u"1.", u".5", u"e1", u"2.0.0", u"+", u"1e", u"0x5", u"2 P", u"1e1e1"}) {
    form.id = u"x";
    ASSERT_TRUE(ReadWith(u"FX2ID: " + id + u"\n"));
    EXPECT_EQ(form.id, u"x") << std::filesystem::path(id).string();
  }
  for (std::u16string channel :
       std::vector<std::u16string>{u"011", u"", u"B999", u"BS_15-0", u"zZ", std::u16string(31, u'9')}) {
    ASSERT_TRUE(ReadWith(u"CHANNEL: " + channel + u"\n"));
    EXPECT_EQ(info.channel, channel);
  }
  // Nothing that a command line, a path or a variable could use.
  for (std::u16string channel :
       std::vector<std::u16string>{u"011 SUSPEND", u"a\"b", u"0\u30001", u"1\t", std::u16string(32, u'9'), u"051&calc",
                                   u"C:\\evil.exe", u"%COMSPEC%", u"a|b>c", u"1.5", u"１２"}) {
    ASSERT_TRUE(ReadWith(u"CHANNEL: " + channel + u"\n"));
    EXPECT_FALSE(info.channel) << std::filesystem::path(channel).string();
  }
}

}  // namespace
