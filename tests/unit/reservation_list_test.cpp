// The viewer's list: the recorder work items of the Task Scheduler, whether
// each will record, what its cells say, how it sorts, and its collisions.
#include "reservations/views/reservation_list.h"

#include "scheduler/registration.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "reservations/views/row_order.h"
#include "reservations/stored/stored_work_items.h"
#include "platform/file_access.h"
#include "support/fake_task_scheduler.h"
#include "support/profiles.h"
#include "support/temp_folder.h"

namespace {

const LocalMinute kNow = ToLocalMinute(2026, 12, 8, 12, 0);  // Tuesday noon

// A work item as Halvorn registers one, with a lead of one minute.
JobFile Job(std::u16string parameters, int type, int day, int hour, int minute, int days = 0,
            std::u16string application = u"C:\\tv\\cap_sts.exe") {
  JobFile job;
  job.application_name = std::move(application);
  job.parameters = std::move(parameters);
  job.flags = 0x2000;
  JobTrigger trigger;
  trigger.begin_year = 2026;
  trigger.begin_month = 12;
  trigger.begin_day = static_cast<std::uint16_t>(day);
  trigger.start_hour = static_cast<std::uint16_t>(hour);
  trigger.start_minute = static_cast<std::uint16_t>(minute);
  trigger.type = static_cast<std::uint32_t>(type);
  trigger.type_data = {1, static_cast<std::uint16_t>(days), 0};
  job.triggers.push_back(trigger);
  return job;
}

class ReservationList : public ::testing::Test {
 protected:
  void Store(std::u16string name, std::u16string parameters, int type, int day, int hour, int minute, int days = 0,
             std::u16string application = u"C:\\tv\\cap_sts.exe") {
    scheduler.saved[name] = Job(std::move(parameters), type, day, hour, minute, days, std::move(application));
  }
  std::vector<ReservationRow> Rows(const std::vector<std::u16string>& recorder_paths = {}) {
    std::vector<StoredWorkItem> items;
    EXPECT_EQ(ReadStoredWorkItems(scheduler, items), 0);
    return ListReservations(items, recorder_paths, channels, kNow);
  }
  static std::u16string Cell(const std::vector<ReservationRow>& rows, std::u16string_view name, Column column) {
    for (const auto& row : rows) {
      if (row.item.name == name) return ColumnText(row, column);
    }
    return u"(no row)";
  }

  FakeTaskScheduler scheduler;
  ChannelTable channels;
};

TEST_F(ReservationList, ShowsEveryRecorderWorkItemInTheOrderOfItsNextRecording) {
  ParseChannelTable(u"ＮＨＫ総合,011,DFS00400\n日本テレビ,041,DFS00410\n,071,DFS00430\n", channels);
  Store(u"毎週アニメ", u"\"D:\\rec\\アニメ.ts\" I2 R2 @071 00:05-00:35 B", 2, 1, 23, 55, 0x21);
  Store(u"ニュース", u"\"D:\\rec\\ニュース.ts\" @011 19:00-19:30 B", 0, 10, 18, 59);
  Store(u"先週の番組", u"\"D:\\rec\\old.ts\" I1 @011 19:00-19:30", 0, 1, 18, 59);
  Store(u"毎日", u"\"D:\\rec\\daily.ts\" I3 P @041 21:00-21:54 B B25", 1, 1, 20, 59);
  Store(u"メモ帳", u"notes.txt", 0, 9, 9, 0, 0, u"C:\\Windows\\notepad.exe");
  Store(u"別の録画", u"\"D:\\rec\\x.ts\" @1 10:00-11:00", 0, 9, 9, 59, 0, u"D:\\tools\\recorder3.exe");
  Store(u"謎", u"--odd", 0, 11, 7, 0);
  Store(u"今終わった", u"\"D:\\rec\\now.ts\" @011 11:00-12:00", 0, 8, 10, 59);
  const auto rows = Rows({u"D:\\Tools\\recorder?.exe"});
  std::vector<std::vector<std::u16string>> cells;
  for (const auto& row : rows) {
    cells.emplace_back();
    for (Column column : kColumns) cells.back().push_back(ColumnText(row, column));
  }
  // Triggered on Sundays and Fridays at 23:55, the anime records on Mondays
  // and Saturdays at 00:05.
  // Once-reservations that have recorded come last, one that ended just now too.
  const std::vector<std::vector<std::u16string>> expected = {
      {u"毎日", u"2026/12/08 21:00", u"毎日", u"日本テレビ (041)", u"3", u"21:00-21:54", u"D:\\rec\\daily.ts", u"",
       u""},
      {u"別の録画", u"2026/12/09 10:00", u"一回のみ", u"1", u"既定", u"10:00-11:00", u"D:\\rec\\x.ts", u"", u""},
      {u"ニュース", u"2026/12/10 19:00", u"一回のみ", u"ＮＨＫ総合 (011)", u"既定", u"19:00-19:30",
       u"D:\\rec\\ニュース.ts", u"", u""},
      {u"謎", u"2026/12/11 07:00", u"一回のみ", u"", u"", u"", u"", u"", u""},
      {u"毎週アニメ", u"2026/12/12 00:05", u"毎週 月土", u"071", u"2", u"00:05-00:35", u"D:\\rec\\アニメ.ts", u"", u""},
      {u"今終わった", u"", u"一回のみ", u"ＮＨＫ総合 (011)", u"既定", u"11:00-12:00", u"D:\\rec\\now.ts", u"終了", u""},
      {u"先週の番組", u"", u"一回のみ", u"ＮＨＫ総合 (011)", u"1", u"19:00-19:30", u"D:\\rec\\old.ts", u"終了", u""},
  };
  EXPECT_EQ(cells, expected);
}

// Each row: how the work item is stored, and what 状態 and 次回録画 say.
TEST_F(ReservationList, OnlyReservationsThatWillRecordHaveANextStartOrCollide) {
  struct Case {
    const char16_t* name;
    std::uint32_t flags = 0x2000;
    std::uint32_t trigger_flags = 0;
    int end_day = 0;  // with an end date in December
    int triggers = 1;
    int year = 2026;
    bool running = false;
    const char16_t* state;
    bool next_start;
  };
  const Case cases[] = {
      {u"records", 0x2000, 0, 0, 1, 2026, false, u"重複", true},
      {u"switched off", 0x2004, 0, 0, 1, 2026, false, u"無効", false},
      {u"trigger off", 0x2000, 0x4, 0, 1, 2026, false, u"無効", false},
      {u"ended yesterday", 0x2000, 0x1, 7, 1, 2026, false, u"終了", false},
      {u"ends today", 0x2000, 0x1, 8, 1, 2026, false, u"重複", true},
      {u"end date unused", 0x2000, 0x0, 7, 1, 2026, false, u"重複", true},
      {u"no trigger", 0x2000, 0, 0, 0, 2026, false, u"未設定", false},
      {u"garbage year", 0x2000, 0, 0, 1, 65535, false, u"未設定", false},
      {u"off and over", 0x2004, 0x1, 1, 1, 2026, false, u"無効", false},
      {u"recording now", 0x2004, 0, 0, 1, 2026, true, u"録画中", false},
  };
  for (const Case& c : cases) {
    JobFile job = Job(u"\"D:\\a.ts\" I2 @011 21:00-21:30", 1, 1, 20, 59);
    job.flags = c.flags;
    job.triggers[0].flags = c.trigger_flags;
    job.triggers[0].end_year = 2026;
    job.triggers[0].end_month = 12;
    job.triggers[0].end_day = static_cast<std::uint16_t>(c.end_day);
    job.triggers[0].begin_year = static_cast<std::uint16_t>(c.year);
    job.triggers.resize(static_cast<std::size_t>(c.triggers));
    job.running_instance_count = c.running ? 1 : 0;
    scheduler.saved[c.name] = job;
  }
  const auto rows = Rows();
  for (const Case& c : cases) {
    const auto row = std::find_if(rows.begin(), rows.end(), [&c](const auto& r) { return r.item.name == c.name; });
    ASSERT_NE(row, rows.end());
    EXPECT_EQ(ColumnText(*row, Column::State), c.state) << std::string(c.name, c.name + 3);
    EXPECT_EQ(row->next_start.has_value(), c.next_start) << std::string(c.name, c.name + 3);
    // A trigger that cannot be read repeats nothing.
    EXPECT_EQ(ColumnText(*row, Column::Repeat).empty(), c.state == std::u16string_view(u"未設定"));
    // Only the three that record collide, each with the other two.
    EXPECT_EQ(row->collisions.size(), c.next_start ? 2u : 0u);
  }
}

TEST(ReservationRules, ATriggerIsReadOnlyWithADateAndTimeACalendarHas) {
  const struct {
    std::uint16_t year, month, day, hour, minute;
    bool readable;
  } cases[] = {
      {1601, 1, 1, 0, 0, true},   {30827, 12, 31, 23, 59, true}, {1600, 1, 1, 0, 0, false}, {30828, 1, 1, 0, 0, false},
      {2026, 0, 1, 0, 0, false},  {2026, 13, 1, 0, 0, false},    {2026, 1, 0, 0, 0, false}, {2026, 1, 32, 0, 0, false},
      {2026, 1, 1, 24, 0, false}, {2026, 1, 1, 0, 60, false},
  };
  for (const auto& c : cases) {
    TaskTrigger trigger;
    trigger.begin_year = c.year;
    trigger.begin_month = c.month;
    trigger.begin_day = c.day;
    trigger.start_hour = c.hour;
    trigger.start_minute = c.minute;
    EXPECT_EQ(TriggerCanBeRead(trigger), c.readable) << c.year << "-" << c.month << "-" << c.day << " " << c.hour;
  }
}

// A series with an end date records, and collides, until its last
// recording is over; a once-recording until its own is.
TEST(ReservationRules, ASeriesEndsWhenItsLastRecordingEnds) {
  const struct {
    const char* what;
    int type;
    RecordingWindow window;
    int end_day;       // of December, for the series
    int hour, minute;  // now, on Tuesday 8 December
    Standing standing;
  } cases[] = {
      {"ended yesterday, recording past midnight", 1, {23 * 60 + 30, 30}, 7, 0, 10, Standing::Records},
      {"ended yesterday, that recording over", 1, {23 * 60 + 30, 30}, 7, 0, 40, Standing::Ended},
      {"ends today, before today's", 1, {21 * 60, 21 * 60 + 30}, 8, 12, 0, Standing::Records},
      {"ends today, during today's", 1, {21 * 60, 21 * 60 + 30}, 8, 21, 10, Standing::Records},
      {"ends today, after today's", 1, {21 * 60, 21 * 60 + 30}, 8, 21, 40, Standing::Ended},
      {"weekly, ended on a day it does not fire", 2, {21 * 60, 21 * 60 + 30}, 7, 12, 0, Standing::Ended},
      {"once, during its recording", 0, {21 * 60, 21 * 60 + 30}, 0, 21, 10, Standing::Records},
      {"once, after its recording", 0, {21 * 60, 21 * 60 + 30}, 0, 21, 30, Standing::Ended},
  };
  for (const auto& c : cases) {
    StoredWorkItem item;
    TaskTrigger trigger;
    const fw::CalendarTime begin = ToCalendarTime(ToLocalMinute(2026, 12, c.type == 0 ? 8 : 1) + c.window.start - 1);
    trigger.begin_year = static_cast<std::uint16_t>(begin.year);
    trigger.begin_month = static_cast<std::uint16_t>(begin.month);
    trigger.begin_day = static_cast<std::uint16_t>(begin.day);
    trigger.start_hour = static_cast<std::uint16_t>(begin.hour);
    trigger.start_minute = static_cast<std::uint16_t>(begin.minute);
    trigger.type = static_cast<std::uint32_t>(c.type);
    trigger.days_interval = 1;
    trigger.weeks_interval = 1;
    trigger.days_of_the_week = 0x04;  // Tuesday
    trigger.flags = c.type == 0 ? 0 : kTriggerFlagHasEndDate;
    trigger.end_year = 2026;
    trigger.end_month = 12;
    trigger.end_day = static_cast<std::uint16_t>(c.end_day);
    item.trigger = trigger;
    EXPECT_EQ(StandingOf(item, c.window, ToLocalMinute(2026, 12, 8, c.hour, c.minute)), c.standing) << c.what;
  }
}

TEST_F(ReservationList, TunersAreTheNumbersTheRecorderReads) {
  // Every pair collides that names one tuner, however it is written.
  const std::pair<const char16_t*, const char16_t*> tuners[] = {{u"2", u"02"},   {u"2", u"2.0"}, {u"+2", u"2"},
                                                                {u"1e1", u"10"}, {u"", u""},     {u"abc", u"abc"}};
  const std::pair<const char16_t*, const char16_t*> others[] = {
      {u"2", u"3"}, {u"", u"1"}, {u"abc", u"ABC"}, {u"0", u""}};
  for (const auto& [a, b] : tuners) EXPECT_EQ(TunerOf(a), TunerOf(b)) << std::string(a, a + 1);
  for (const auto& [a, b] : others) EXPECT_NE(TunerOf(a), TunerOf(b));
  // A tuner is also its recorder program's: one program however its path is
  // written, two programs two devices.
  const std::pair<const char16_t*, const char16_t*> programs[] = {
      {u"C:\\tv\\cap_sts.exe", u"c:\\TV\\CAP_STS.EXE"},
      {u"C:\\tv\\cap_sts.exe", u"C:/tv//cap_sts.exe"},
      {u"C:\\tv\\cap_sts.exe", u"C:\\tv\\.\\x\\..\\cap_sts.exe"},
      {u"C:\\tv\\cap_sts.exe", u"C:\\tv\\cap_sts.exe. "},
      {u"\\\\pc\\tv\\cap_sts.exe", u"//pc/tv/cap_sts.exe"}};
  const std::pair<const char16_t*, const char16_t*> devices[] = {{u"C:\\tv\\cap_sts.exe", u"C:\\tv\\cap_sts_bs.exe"},
                                                                 {u"C:\\tv\\cap_sts.exe", u"D:\\tv\\cap_sts.exe"},
                                                                 {u"\\\\pc\\tv\\cap_sts.exe", u"\\pc\\tv\\cap_sts.exe"},
                                                                 {u"C:\\..\\cap_sts.exe", u"cap_sts.exe"}};
  for (const auto& [a, b] : programs) EXPECT_EQ(TunerOf(a, u"2"), TunerOf(b, u"02")) << std::filesystem::path(b);
  for (const auto& [a, b] : devices) EXPECT_NE(TunerOf(a, u"2"), TunerOf(b, u"2")) << std::filesystem::path(b);
  Store(u"BS", u"\"D:\\bs.ts\" I2 @101 21:00-21:54", 0, 10, 20, 59, 0, u"C:\\tv\\cap_sts_bs.exe");
  Store(u"A", u"\"D:\\a.ts\" I2 R2 @011 21:00-21:54", 0, 10, 20, 59);
  Store(u"B", u"\"D:\\b.ts\" I02 @021 21:30-22:00", 0, 10, 21, 29);
  Store(u"C", u"\"D:\\c.ts\" I3 @041 21:30-22:00", 0, 10, 21, 29);
  Store(u"D", u"\"D:\\d.ts\" I2.0 @041 23:00-23:30", 0, 10, 22, 59);
  const auto rows = Rows();
  EXPECT_EQ(Cell(rows, u"A", Column::State), u"重複");
  EXPECT_EQ(Cell(rows, u"B", Column::State), u"重複");
  EXPECT_EQ(Cell(rows, u"C", Column::State), u"");
  EXPECT_EQ(Cell(rows, u"D", Column::State), u"");
  EXPECT_EQ(Cell(rows, u"BS", Column::State), u"");
}

TEST_F(ReservationList, TheTunerColumnNamesTheProfileThatIsThatTuner) {
  const ProfileArray profiles = Profiles({{u"地デジ1", u"C:\\tv\\cap_sts.exe", u"1"},
                                          {u"地デジ2", u"C:\\TV\\CAP_STS.EXE", u"02"},
                                          {u"BS", u"C:\\tv\\cap_sts_bs.exe", u"0"},
                                          {u"PT?", u"C:\\pt\\rec?.exe", u"1"}});
  // The profile also places the tuner's lane: a tuner no profile names sits
  // with the first profile of its program; a program no profile uses goes last.
  const struct {
    const char16_t* application;
    const char16_t* switches;
    const char16_t* label;
    int profile;
  } cases[] = {
      {u"C:\\tv\\cap_sts.exe", u" I2", u"地デジ2", 1},
      {u"C:\\tv\\cap_sts.exe", u" I1", u"地デジ1", 0},
      {u"C:\\tv\\cap_sts.exe", u" I3", u"地デジ1 · 3", 0},
      {u"C:\\tv\\cap_sts.exe", u"", u"地デジ1 · 既定", 0},
      {u"C:\\tv\\cap_sts_bs.exe", u"", u"BS", 2},
      {u"C:\\pt\\rec2.exe", u" I2", u"PT? · 2", 3},
      {u"C:\\other\\cap_sts.exe", u" I2", u"2", kMaxProfiles},
  };
  for (const auto& c : cases) {
    Store(c.label, u"\"D:\\a.ts\"" + std::u16string(c.switches) + u" @011 21:00-21:30", 0, 10, 20, 59, 0,
          c.application);
  }
  std::vector<ReservationRow> rows = Rows({u"C:\\pt\\rec?.exe"});
  NameTunersAfterProfiles(rows, profiles, 4);
  for (const auto& c : cases) {
    EXPECT_EQ(Cell(rows, c.label, Column::Tuner), c.label);
    const auto row =
        std::find_if(rows.begin(), rows.end(), [&c](const ReservationRow& r) { return r.item.name == c.label; });
    ASSERT_NE(row, rows.end());
    EXPECT_EQ(row->tuner_profile, c.profile);
  }
}

TEST_F(ReservationList, TheNoteNamesEveryCollisionAndADeletedOneFreesTheTuner) {
  Store(u"A", u"\"D:\\a.ts\" I2 @011 21:00-22:00", 0, 10, 20, 59);
  Store(u"B", u"\"D:\\b.ts\" I2 @021 21:30-22:00", 0, 10, 21, 29);
  Store(u"C", u"\"D:\\c.ts\" I2 @041 21:50-22:30", 0, 10, 21, 49);
  const auto rows = Rows();
  EXPECT_EQ(CollisionNote(rows[0]), u"「B」と重複 2026/12/10 21:30～22:00、「C」と重複 2026/12/10 21:50～22:00");
  for (const char16_t* name : {u"B", u"C"})
    ASSERT_FALSE(DeleteStoredReservation(scheduler, name, [](std::u16string_view) { return true; }));
  EXPECT_EQ(Cell(Rows(), u"A", Column::State), u"");
  EXPECT_EQ(scheduler.com_initializations, scheduler.com_uninitializations);
  EXPECT_EQ(scheduler.live_interfaces, 0);
}

TEST_F(ReservationList, AWorkItemReadFromItsFileIsTheOneTheSchedulerHandsOut) {
  TempFolder folder;
  scheduler.tasks_folder = folder.WindowsPath("Tasks");
  std::filesystem::create_directories(folder / "Tasks");
  Store(u"daily", u"\"D:\\a.ts\" I2 @011 21:00-21:30", 1, 1, 20, 59);
  Store(u"weekly.x", u"\"D:\\b.ts\" @011 21:00-21:30", 2, 1, 20, 59, 0x22);
  scheduler.saved[u"daily"].triggers[0].flags = 0x1;
  scheduler.saved[u"daily"].triggers[0].end_day = 24;
  // Not scheduled: the Task Scheduler says it has not run, whatever run time its file keeps.
  scheduler.saved[u"daily"].status = 0x41305;
  scheduler.saved[u"daily"].last_run_time = {2026, 12, 1, 7, 20, 59, 0, 0};
  scheduler.saved[u"weekly.x"].status = 0x41300;
  scheduler.saved[u"weekly.x"].exit_code = 7;
  scheduler.saved[u"weekly.x"].last_run_time = {2026, 12, 1, 7, 20, 59, 0, 0};
  scheduler.saved[u"weekly.x"].running_instance_count = 1;
  Store(u"unreadable", u"\"D:\\c.ts\" @011 21:00-21:30", 0, 10, 20, 59);
  for (const auto& [name, job] : scheduler.saved) {
    WriteFileBytes(scheduler.tasks_folder + u"\\" + name + u".job",
                   name == u"unreadable" ? "no work item" : SerializeJobFile(job));
  }
  // What else the folder holds is no work item.
  WriteFileBytes(scheduler.tasks_folder + u"\\desktop.ini", SerializeJobFile(scheduler.saved[u"daily"]));
  std::filesystem::create_directories(folder / "Tasks" / "sub.job");
  std::vector<StoredWorkItem> through_scheduler, from_files;
  ASSERT_EQ(ReadStoredWorkItems(scheduler, through_scheduler), 0);
  const auto activations = std::count(scheduler.calls.begin(), scheduler.calls.end(), "Activate");
  ASSERT_EQ(ReadStoredWorkItems(scheduler, from_files, {scheduler.tasks_folder}), 0);
  EXPECT_EQ(from_files, through_scheduler);
  EXPECT_EQ(std::count(scheduler.calls.begin(), scheduler.calls.end(), "Activate"), activations + 1);
}

TEST_F(ReservationList, TheLastRunSaysHowTheRecorderEnded) {
  const struct {
    std::uint32_t status;
    std::uint32_t exit_code;
    const char16_t* text;
  } cases[] = {
      // Code 0 alone is no verdict: only the file judges a recording.
      {0x41300, 0, u""},
      {0x41300, 3, u"失敗 (コード 3) 12/07 20:59"},
      {0x41300, 0xC0000005, u"失敗 (コード 3221225477) 12/07 20:59"},
      {0x41303, 0, u""},
  };
  for (const auto& c : cases) {
    JobFile job = Job(u"\"D:\\a.ts\" @011 21:00-21:30", 1, 1, 20, 59);
    job.status = c.status;
    job.exit_code = c.exit_code;
    job.last_run_time = {2026, 12, 1, 7, 20, 59, 0, 0};
    scheduler.saved[u"A"] = job;
    const auto rows = Rows();
    EXPECT_EQ(ColumnText(rows[0], Column::LastRun), c.text);
    EXPECT_EQ(LastRunFailed(rows[0]), c.exit_code != 0);
  }
}

TEST_F(ReservationList, ColumnsSortByMomentsNumbersOrTextEitherWay) {
  Store(u"b", u"\"D:\\b.ts\" I10 @011 19:00-19:30", 0, 12, 18, 59);
  Store(u"a", u"\"D:\\a.ts\" I9 @021 21:00-21:30", 0, 10, 20, 59);
  Store(u"c", u"\"D:\\c.ts\" I02 @041 07:00-07:30", 0, 11, 6, 59);
  Store(u"d", u"\"D:\\d.ts\" @011 06:00-06:30", 0, 1, 5, 59);  // ended: no next start
  scheduler.saved[u"c"].status = 0x41300;
  scheduler.saved[u"c"].last_run_time = {2026, 12, 1, 1, 7, 0, 0, 0};
  scheduler.saved[u"b"].status = 0x41300;
  scheduler.saved[u"b"].last_run_time = {2026, 11, 1, 30, 7, 0, 0, 0};
  const TextOrder by_units = [](std::u16string_view x, std::u16string_view y) { return x.compare(y); };
  const struct {
    Column column;
    const char16_t* ascending;
  } cases[] = {
      {Column::Name, u"abcd"},   {Column::NextStart, u"acbd"}, {Column::Tuner, u"cabd"},
      {Column::Window, u"dcba"}, {Column::LastRun, u"adbc"},   {Column::Output, u"abcd"},
  };
  for (const auto& c : cases) {
    for (bool descending : {false, true}) {
      auto rows = Rows();
      SortRows(rows, {c.column, descending}, by_units);
      std::u16string order;
      for (const auto& row : rows) order += row.item.name;
      std::u16string expected = c.ascending;
      if (descending) std::reverse(expected.begin(), expected.end());
      // Ties keep the list's own order, whichever way.
      if (c.column == Column::LastRun && descending) expected = u"cbad";
      EXPECT_EQ(order, expected) << static_cast<int>(c.column) << descending;
    }
  }
}

// One recorder program's numbered tuners come before its tuners by name,
// whatever the names' own order.
TEST(RowOrder, NumberedTunersComeBeforeNamedOnes) {
  std::vector<ReservationRow> rows(2);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    rows[i].item.name = i == 0 ? u"named" : u"numbered";
    rows[i].item.application = u"C:\\tv\\cap_sts.exe";
    rows[i].recorder.tuner = i == 0 ? u"#" : u"2";
  }
  const TextOrder by_units = [](std::u16string_view x, std::u16string_view y) { return x.compare(y); };
  for (bool descending : {false, true}) {
    SortRows(rows, {Column::Tuner, descending}, by_units);
    EXPECT_EQ(rows[descending ? 1 : 0].item.name, u"numbered");
  }
}

}  // namespace
