// Will it record, and did it: what a reservation lacks before it runs, the
// room on the disks for the week, and what the last run left.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/local_time.h"
#include "reservations/checks/disk_room.h"
#include "reservations/rules/number_text.h"
#include "reservations/checks/reading_checks.h"
#include "reservations/checks/recording_checks.h"
#include "settings/ini_file_store.h"
#include "support/fake_file_system.h"
#include "support/temp_folder.h"

namespace {

const LocalMinute kNow = ToLocalMinute(2026, 12, 8, 12, 0);  // Tuesday noon
constexpr double kMB = 1e6;
constexpr std::uint64_t operator""_MB(unsigned long long megabytes) { return megabytes * 1'000'000; }

// A daily reservation from 8 December, recording `minutes` from `hour`:00
// into `output`, started a minute ahead.
ReservationRow Daily(std::u16string name, std::u16string output, int hour = 21, int minutes = 60) {
  ReservationRow row;
  row.item.name = std::move(name);
  row.item.application = u"C:\\tv\\cap_sts.exe";
  row.item.parameters = u"\"" + output + u"\" I1 @011 " + ClockText(hour * 60) + u"-" +
                        ClockText((hour * 60 + minutes) % static_cast<int>(kMinutesPerDay));
  TaskTrigger trigger;
  trigger.begin_year = 2026;
  trigger.begin_month = 12;
  trigger.begin_day = 8;
  trigger.start_hour = static_cast<std::uint16_t>(hour - 1);
  trigger.start_minute = 59;
  trigger.type = 1;
  trigger.days_interval = 1;
  row.item.trigger = trigger;
  row.recorder = ReadRecorderParameters(row.item.parameters);
  return row;
}

// A local minute and second, as a file's write time is weighed.
constexpr LocalSecond At(LocalMinute minute, int second = 0) { return minute * 60 + second; }

// What the file system says of a file written at a local second.
FileStamp Stamp(const OutputFile& file) {
  const std::int64_t seconds = SecondsFromLocalTime(ToCalendarTime(file.written / 60)).value() + file.written % 60;
  return {file.size, seconds * 10'000'000};
}

// Checks the rows against the file system as the viewer does: the
// reading's questions asked together, then the checks on their answers.
ReadingChecks Checked(std::vector<ReservationRow>& rows, FakeFileSystem& disk, RecordingRates& rates) {
  FileSystemAnswers answers;
  AnswerQuestions(QuestionsOfReading(rows, rates, kNow), disk,
                  [&](const FileSystemAnswers& answer) { answers.Take(answer); });
  AnsweredFacts facts(answers);
  return CheckReading(rows, rates, facts, kNow);
}
std::vector<DiskShortfall> Check(std::vector<ReservationRow>& rows, FakeFileSystem& disk, RecordingRates& rates) {
  return Checked(rows, disk, rates).shortfalls;
}
std::vector<DiskShortfall> Check(std::vector<ReservationRow>& rows, FakeFileSystem& disk) {
  RecordingRates nothing_learned;
  return Check(rows, disk, nothing_learned);
}

TEST(RecordingNeeds, AreMissingOnlyWhereTheFileSystemIsSure) {
  const struct {
    const char16_t* application;
    const char16_t* output;
    std::map<std::u16string, PathKind, std::less<>> kinds;
    std::vector<MissingNeed> missing;
  } cases[] = {
      {u"C:\\tv\\cap_sts.exe", u"D:\\rec\\a.ts", {}, {}},
      {u"C:\\tv\\cap_sts.exe",
       u"D:\\rec\\a.ts",
       {{u"C:\\tv\\cap_sts.exe", PathKind::Missing}},
       {{Need::Recorder, u"C:\\tv\\cap_sts.exe"}}},
      {u"C:\\tv\\cap_sts.exe",
       u"D:\\rec\\a.ts",
       {{u"C:\\tv\\cap_sts.exe", PathKind::Folder}},
       {{Need::Recorder, u"C:\\tv\\cap_sts.exe"}}},
      {u"E:\\cap_sts.exe",
       u"D:\\rec\\a.ts",
       {{u"E:\\cap_sts.exe", PathKind::NotReady}},
       {{Need::Recorder, u"E:\\cap_sts.exe"}}},
      {u"C:\\tv\\cap_sts.exe", u"D:\\rec\\a.ts", {{u"C:\\tv\\cap_sts.exe", PathKind::Unknown}}, {}},
      {u"A:\\cap_sts.exe",
       u"z:\\a.ts",
       {{u"A:\\cap_sts.exe", PathKind::Missing}, {u"z:\\", PathKind::Missing}},
       {{Need::Recorder, u"A:\\cap_sts.exe"}, {Need::Folder, u"z:\\"}}},
      // A drive alone is that drive's current folder, no full path.
      {u"C:", u"D:\\rec\\a.ts", {{u"C:", PathKind::Missing}}, {}},
      // No drive letter, no full path: the platform would look elsewhere.
      {u"1:\\tv\\cap_sts.exe", u"D:\\rec\\a.ts", {{u"1:\\tv\\cap_sts.exe", PathKind::Missing}}, {}},
      {u"C:\\tv\\cap_sts.exe", u"D:\\rec\\a.ts", {{u"D:\\rec", PathKind::Missing}}, {{Need::Folder, u"D:\\rec"}}},
      {u"C:\\tv\\cap_sts.exe", u"D:\\rec\\a.ts", {{u"D:\\rec", PathKind::File}}, {{Need::Folder, u"D:\\rec"}}},
      // A card reader without its card.
      {u"C:\\tv\\cap_sts.exe", u"F:\\a.ts", {{u"F:\\", PathKind::NotReady}}, {{Need::Folder, u"F:\\"}}},
      // A share that did not answer in time.
      {u"C:\\tv\\cap_sts.exe", u"\\\\nas\\tv\\a.ts", {{u"\\\\nas\\tv", PathKind::Unknown}}, {}},
      {u"\\\\nas\\bin\\cap_sts.exe",
       u"\\\\nas\\tv\\a.ts",
       {{u"\\\\nas\\bin\\cap_sts.exe", PathKind::Missing}, {u"\\\\nas\\tv", PathKind::Missing}},
       {{Need::Recorder, u"\\\\nas\\bin\\cap_sts.exe"}, {Need::Folder, u"\\\\nas\\tv"}}},
      // Paths whose place depends on the folder the recorder starts in.
      {u"cap_sts.exe", u"a.ts", {{u"cap_sts.exe", PathKind::Missing}, {u"", PathKind::Missing}}, {}},
  };
  for (const auto& c : cases) {
    FakeFileSystem disk;
    disk.kinds = c.kinds;
    EXPECT_EQ(MissingNeeds(c.application, c.output, disk), c.missing) << testing::PrintToString(c.output);
  }
  EXPECT_EQ(MissingNeedLines(u"N", {{Need::Recorder, u"C:\\a.exe"}, {Need::Folder, u"D:\\rec"}}),
            u"「N」の録画プログラム C:\\a.exe がありません。\r\n「N」の録画先 D:\\rec がありません。\r\n");
}

// One word in 状態, the first that applies; a reservation that lacks what
// it needs is red, even where it collides too.
TEST(RecordingNeeds, StateWordsComeInTheirOrder) {
  const struct {
    bool running;
    Standing standing;
    bool recorder_missing, folder_missing, collides;
    const char16_t* word;
  } cases[] = {
      {true, Standing::Records, true, true, true, u"録画中"},
      {false, Standing::Disabled, true, true, true, u"無効"},
      {false, Standing::Ended, true, true, true, u"終了"},
      {false, Standing::Records, true, true, true, u"録画プログラムなし"},
      {false, Standing::Records, false, true, true, u"保存先なし"},
      {false, Standing::Records, false, false, true, u"重複"},
      {false, Standing::Records, false, false, false, u""},
  };
  for (const auto& c : cases) {
    FakeFileSystem disk;
    if (c.recorder_missing) disk.kinds[u"C:\\tv\\cap_sts.exe"] = PathKind::Missing;
    if (c.folder_missing) disk.kinds[u"D:\\rec"] = PathKind::Missing;
    std::vector<ReservationRow> rows{Daily(u"A", u"D:\\rec\\a.ts")};
    rows[0].item.running = c.running;
    rows[0].standing = c.standing;
    if (c.collides) rows[0].collisions.push_back({u"B", kNow, kNow + 30});
    Check(rows, disk);
    EXPECT_EQ(ColumnText(rows[0], Column::State), c.word);
    const bool red = !rows[0].missing.empty() || (c.collides && c.standing == Standing::Records);
    EXPECT_EQ(ToneOf(rows[0], Column::Name) == CellTone::Alarm, red) << testing::PrintToString(c.word);
  }
}

// Yesterday's run of a daily hour, 21:00 to 22:00, started at 20:59:30.
TEST(LastRun, IsWellOnlyWhereItLeftARecording) {
  const LocalMinute yesterday = ToLocalMinute(2026, 12, 7);
  const LocalSecond end = At(yesterday + 1320);
  const struct {
    std::uint32_t exit_code;
    bool running;
    int run_minute;  // after midnight, at 30 seconds
    std::optional<OutputFile> file;
    PathKind folder;
    double learned_rate;  // bytes a minute the folder's good recordings took; 0 for none known
    const char16_t* text;
    const char16_t* parameters = nullptr;  // other than the daily hour's
  } cases[] = {
      {3, false, 1259, OutputFile{3000_MB, end}, PathKind::Folder, 0, u"失敗 (コード 3) 12/07 20:59"},
      {0, false, 1259, OutputFile{2000_MB, end}, PathKind::Folder, 0, u"正常 12/07 20:59"},
      {0, false, 1259, std::nullopt, PathKind::Folder, 0, u"要確認 (ファイルなし) 12/07 20:59"},
      {0, false, 1259, std::nullopt, PathKind::Missing, 0, u"要確認 (ファイルなし) 12/07 20:59"},
      // Written as the run began, and just before: to the second.
      {0, false, 1259, OutputFile{2000_MB, At(yesterday + 1259, 30)}, PathKind::Folder, 0, u"正常 12/07 20:59"},
      {0, false, 1259, OutputFile{2000_MB, At(yesterday + 1259, 29)}, PathKind::Folder, 0,
       u"要確認 (ファイルなし) 12/07 20:59"},
      {0, false, 1259, OutputFile{12_MB, end}, PathKind::Folder, 0, u"要確認 (12 MB) 12/07 20:59"},
      // Just under a quarter of 60 minutes at 130 MB.
      {0, false, 1259, OutputFile{1940_MB, end}, PathKind::Folder, 0, u"要確認 (1940 MB) 12/07 20:59"},
      // Started late, at 21:45: a quarter of 15 minutes.
      {0, false, 1305, OutputFile{500_MB, end}, PathKind::Folder, 0, u"正常 12/07 21:45"},
      // A radio station's folder, learned from its good recordings.
      {0, false, 1259, OutputFile{160_MB, end}, PathKind::Folder, 10 * kMB, u"正常 12/07 20:59"},
      {0, false, 1259, OutputFile{140_MB, end}, PathKind::Folder, 10 * kMB, u"要確認 (140 MB) 12/07 20:59"},
      // Through an encoder: the file is enough, its size no measure.
      {0, false, 1259, OutputFile{1_MB, end}, PathKind::Folder, 0, u"正常 12/07 20:59",
       u"\"D:\\rec\\a.ts\" I1 @011 21:00-22:00 B25 -vcodec h264"},
      {0, false, 1259, std::nullopt, PathKind::Folder, 0, u"要確認 (ファイルなし) 12/07 20:59",
       u"\"D:\\rec\\a.ts\" I1 @011 21:00-22:00 B25 -vcodec h264"},
      // Not judged, and so not 正常: still recording, a folder that did not
      // answer, parameters Halvorn did not compose, never run.
      {0, true, 1259, std::nullopt, PathKind::Folder, 0, u""},
      {0, false, 1259, std::nullopt, PathKind::Unknown, 0, u""},
      {0, false, 1259, std::nullopt, PathKind::Folder, 0, u"", u"\"D:\\rec\\a.ts\" --record"},
      {0, false, -1, std::nullopt, PathKind::Folder, 0, u""},
  };
  for (const auto& c : cases) {
    FakeFileSystem disk;
    disk.kinds[u"D:\\rec"] = c.folder;
    if (c.file) disk.files[u"D:\\rec\\a.ts"] = Stamp(*c.file);
    std::vector<ReservationRow> rows{Daily(u"A", u"D:\\rec\\a.ts")};
    if (c.parameters) rows[0].recorder = ReadRecorderParameters(rows[0].item.parameters = c.parameters);
    if (c.run_minute >= 0) {
      rows[0].item.last_run = TaskTime{
          2026, 12, 7, static_cast<std::uint16_t>(c.run_minute / 60), static_cast<std::uint16_t>(c.run_minute % 60),
          30};
    }
    rows[0].item.exit_code = c.exit_code;
    rows[0].item.running = c.running;
    RecordingRates rates;
    if (c.learned_rate > 0) rates.Learn(u"D:\\rec", {At(yesterday), static_cast<std::int64_t>(c.learned_rate)});
    Check(rows, disk, rates);
    EXPECT_EQ(ColumnText(rows[0], Column::LastRun), c.text) << c.run_minute;
    EXPECT_EQ(LastRunFailed(rows[0]),
              std::u16string_view(c.text).starts_with(u"失敗") || std::u16string_view(c.text).starts_with(u"要確認"))
        << c.run_minute;
  }
}

// A folder's rate is learned only from recordings judged 正常: after a good
// one, failed ones in a row never teach it, however many.
TEST(RecordingRate, FailedRecordingsNeverTeachIt) {
  const LocalMinute first_day = ToLocalMinute(2026, 11, 20);
  for (int failures : {2, 5, 10}) {
    RecordingRates rates;
    std::vector<std::u16string> read;
    for (int day = 0; day <= failures; ++day) {
      const LocalMinute run = first_day + day * kMinutesPerDay + 1259;
      // Two reservations into one folder fail alike, the first day aside.
      std::vector<ReservationRow> rows{Daily(u"A", u"D:\\rec\\a.ts"), Daily(u"B", u"D:\\rec\\b.ts")};
      FakeFileSystem disk;
      for (ReservationRow& row : rows) {
        const fw::CalendarTime t = ToCalendarTime(run);
        row.item.last_run = TaskTime{static_cast<std::uint16_t>(t.year),
                                     static_cast<std::uint16_t>(t.month),
                                     static_cast<std::uint16_t>(t.day),
                                     20,
                                     59,
                                     0};
        disk.files[row.recorder.output_path] = Stamp({day > 0                 ? 12_MB
                                                      : row.item.name == u"A" ? 2000_MB
                                                                              : 2400_MB,
                                                      At(run + 61, row.item.name == u"A" ? 0 : 1)});
      }
      // Only the good first day teaches, and is written down.
      EXPECT_EQ(Checked(rows, disk, rates).learned, day == 0) << day;
      EXPECT_FALSE(Checked(rows, disk, rates).learned) << "the same recordings again";
      for (const ReservationRow& row : rows) read.push_back(ColumnText(row, Column::LastRun).substr(0, 3));
    }
    EXPECT_NEAR(rates.BytesPerMinute(u"D:\\rec"), 2200 * kMB / 60, 1) << failures;
    EXPECT_EQ(std::count(read.begin(), read.end(), u"要確認"), 2 * failures) << failures;
    EXPECT_EQ(std::count(read.begin(), read.end(), u"正常 "), 2) << failures;
  }
}

// The median of the folder's newest ten good recordings, each recording
// once; kept in the viewer's settings file and read back the same.
TEST(RecordingRate, IsTheMedianOfTheNewestTenAndIsReadBackAsWritten) {
  const struct {
    std::vector<double> rates;  // the newest first
    double expected;
  } cases[] = {
      {{}, kDefaultBytesPerMinute},
      {{30 * kMB}, 30 * kMB},
      {{10 * kMB, 50 * kMB, 20 * kMB}, 20 * kMB},
      {{10 * kMB, 20 * kMB}, 15 * kMB},
      // The eleventh and older are forgotten.
      {{5 * kMB, 5 * kMB, 5 * kMB, 5 * kMB, 5 * kMB, 9 * kMB, 9 * kMB, 9 * kMB, 9 * kMB, 9 * kMB, 900 * kMB, 900 * kMB},
       7 * kMB},
  };
  TempFolder folder;
  for (const auto& c : cases) {
    RecordingRates rates;
    for (std::size_t i = c.rates.size(); i-- > 0;) {
      rates.Learn(u"D:\\Rec", {At(kNow) - static_cast<LocalSecond>(i), static_cast<std::int64_t>(c.rates[i])});
      rates.Learn(u"d:/rec/", {At(kNow) - static_cast<LocalSecond>(i), 1});  // the same recording again
    }
    rates.Learn(u"E:\\rec", {At(kNow), 1});  // another folder is another rate
    EXPECT_DOUBLE_EQ(rates.BytesPerMinute(u"d:\\rec"), c.expected) << c.rates.size();
    IniFileStore store(folder.WindowsPath("Brisquet.ini"));
    WriteRecordingRates(store, rates);
    IniFileStore again(folder.WindowsPath("Brisquet.ini"));
    EXPECT_TRUE(ReadRecordingRates(again) == rates) << c.rates.size();
  }
  // A samples line the viewer did not write teaches nothing.
  {
    IniFileStore hand_made(folder.WindowsPath("Hand.ini"));
    hand_made.WriteString(u"rates", u"count", u"4");
    hand_made.WriteString(u"rates", u"samples3", u"5:7");  // and no folder3
    for (const char16_t* key : {u"folder0", u"folder1", u"folder2"}) hand_made.WriteString(u"rates", key, u"D:\\rec");
    hand_made.WriteString(u"rates", u"samples0", u"5:abc");
    hand_made.WriteString(u"rates", u"samples1", u"5");
    hand_made.WriteString(u"rates", u"samples2", u"-5:7");
    EXPECT_TRUE(ReadRecordingRates(hand_made).folders().empty());
    RecordingRates rates;
    EXPECT_FALSE(rates.Learn(u"D:\\rec", {-1, 5}) || rates.Learn(u"D:\\rec", {5, 0}));
    EXPECT_TRUE(rates.Learn(u"D:\\rec", {5, 1}));
  }
  // A folder the file cannot give back is never written.
  RecordingRates odd, kept;
  for (const std::u16string& unwritable :
       std::vector<std::u16string>{u"D:\\rec\n2", u" D:\\rec", u"D:\\한", u"D:\\" + std::u16string(1100, u'a')})
    odd.Learn(unwritable, {1, 1});
  for (const char16_t* writable : {u"D:\\録画", u"D:\\My Videos"}) {
    odd.Learn(writable, {1, 2});
    kept.Learn(writable, {1, 2});
  }
  IniFileStore store(folder.WindowsPath("Odd.ini"));
  WriteRecordingRates(store, odd);
  IniFileStore again(folder.WindowsPath("Odd.ini"));
  EXPECT_TRUE(ReadRecordingRates(again) == kept);
}

// A daily hour from today at 21:00: seven recordings, 420 minutes, in the
// coming week.
TEST(DiskRoom, TellsOfAVolumeTooSmallForTheWeek) {
  const double week = 420 * kDefaultBytesPerMinute;
  const struct {
    const char* what;
    int reservations;
    std::optional<VolumeSpace> volume;
    double learned_rate;  // of an ended recording in the folder; 0 for none
    std::vector<DiskShortfall> shortfalls;
  } cases[] = {
      {"room", 1, VolumeSpace{u"D:", static_cast<std::uint64_t>(week)}, 0, {}},
      {"no room",
       1,
       VolumeSpace{u"D:", static_cast<std::uint64_t>(week) - 1},
       0,
       {{u"D:", static_cast<std::uint64_t>(week) - 1, 7, 420, static_cast<std::uint64_t>(week)}}},
      {"overlapping recordings add up",
       2,
       VolumeSpace{u"D:", static_cast<std::uint64_t>(week)},
       0,
       {{u"D:", static_cast<std::uint64_t>(week), 14, 840, static_cast<std::uint64_t>(2 * week)}}},
      {"a volume that cannot be read", 2, std::nullopt, 0, {}},
      {"the learned rate", 2, VolumeSpace{u"D:", 10'000'000'000}, 10 * kMB, {}},
      {"the learned rate, too much",
       2,
       VolumeSpace{u"D:", 8'000'000'000},
       10 * kMB,
       {{u"D:", 8'000'000'000, 14, 840, 8'400'000'000}}},
  };
  for (const auto& c : cases) {
    FakeFileSystem disk;
    if (c.volume) disk.volumes[u"D:\\rec"] = *c.volume;
    std::vector<ReservationRow> rows;
    for (int i = 0; i < c.reservations; ++i) rows.push_back(Daily(ZeroPadded(i, 1), u"D:\\rec\\" + ZeroPadded(i, 1)));
    RecordingRates rates;
    if (c.learned_rate > 0) rates.Learn(u"D:\\rec", {At(kNow), static_cast<std::int64_t>(c.learned_rate)});
    EXPECT_EQ(Check(rows, disk, rates), c.shortfalls) << c.what;
  }
  EXPECT_EQ(DiskShortfallText({u"D:", 12'300'000'000, 9, 365, 48'000'000'000}),
            u"D: の空き容量 12.3 GB では、今後 7 日の録画 (9 件、6 時間 5 分、約 48 GB) が入りきりません。");
  // A reservation whose window cannot be read takes no room.
  FakeFileSystem disk;
  disk.volumes[u"D:\\rec"] = {u"D:", 1};
  std::vector<ReservationRow> no_window{Daily(u"謎", u"D:\\rec\\謎.ts")};
  no_window[0].recorder = ReadRecorderParameters(u"\"D:\\rec\\謎.ts\" --record");
  EXPECT_TRUE(Check(no_window, disk).empty());
}

// A reading's questions are answered together, away from the window. A
// folder that has not answered yet, or is there and cannot be listed, is
// not judged; a file is found in its folder's listing in any letter case.
TEST(RecordingNeeds, AFolderIsJudgedOnlyOnItsOwnAnswers) {
  std::vector<ReservationRow> read;
  for (const char16_t* output : {u"D:\\rec\\a.ts", u"\\\\nas\\rec\\b.ts", u"E:\\rec\\c.ts"}) {
    read.push_back(Daily(output, output));
    read.back().item.last_run = TaskTime{2026, 12, 7, 20, 59, 0};
  }
  FakeFileSystem disk;
  const FileStamp good = Stamp({2000_MB, At(ToLocalMinute(2026, 12, 7, 22, 0))});
  disk.files = {{u"D:\\rec\\A.TS", good}, {u"\\\\nas\\rec\\b.ts", good}, {u"E:\\rec\\c.ts", good}};
  disk.unlistable = {u"E:\\rec"};
  const FileSystemQuestions questions = QuestionsOfReading(read, {}, kNow);
  for (const bool share_answered : {false, true}) {
    FileSystemAnswers answers;
    AnswerQuestions(questions, disk, [&](const FileSystemAnswers& answer) {
      const bool from_share = !answer.stamps.empty() && answer.stamps.begin()->first.starts_with(u"\\\\");
      if (share_answered || !from_share) answers.Take(answer);
    });
    std::vector<ReservationRow> rows = read;
    RecordingRates rates;
    AnsweredFacts facts(answers);
    CheckReading(rows, rates, facts, kNow);
    EXPECT_EQ(ColumnText(rows[0], Column::LastRun), u"正常 12/07 20:59");
    EXPECT_EQ(ColumnText(rows[1], Column::LastRun), share_answered ? u"正常 12/07 20:59" : u"");
    EXPECT_EQ(ColumnText(rows[2], Column::LastRun), u"");
    EXPECT_TRUE(rows[2].missing.empty());
  }
}

// A list of many reservations asks of each recorder, folder and volume once,
// and tells each row.
TEST(RecordingNeeds, AskTheFileSystemOncePerPath) {
  FakeFileSystem disk;
  disk.volumes[u"D:\\rec"] = {u"D:", 1};
  disk.kinds[u"C:\\tv\\cap_sts.exe"] = PathKind::Missing;
  std::vector<ReservationRow> rows;
  for (int i = 0; i < 50; ++i) rows.push_back(Daily(ZeroPadded(i, 1), u"D:\\rec\\" + ZeroPadded(i, 1) + u".ts"));
  Check(rows, disk);
  // The recorder, the folder, the volume, and one listing for every file.
  EXPECT_EQ(disk.questions, 4);
  EXPECT_TRUE(std::all_of(rows.begin(), rows.end(), [](const ReservationRow& row) { return !row.missing.empty(); }));
}

}  // namespace
