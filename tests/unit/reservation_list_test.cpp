// The viewer's list: the recorder work items of the Task Scheduler, their
// cells, their order and their collisions, and a reservation handed back to
// Halvorn for a change.
#include "reservations/reservation_list.h"

#include <gtest/gtest.h>

#include "reservations/edit_reservation.h"
#include "reservations/stored_work_items.h"
#include "support/fake_task_scheduler.h"

namespace {

const LocalMinute kNow = ToLocalMinute(2026, 12, 8, 12, 0);  // Tuesday noon

class ReservationList : public ::testing::Test {
 protected:
  // A work item as Halvorn registers one, with a lead of one minute.
  void Store(std::u16string name, std::u16string parameters, int type, int day, int hour, int minute, int days = 0,
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
    scheduler.saved[name] = job;
  }
  std::vector<ReservationRow> Rows(const std::vector<std::u16string>& recorder_paths = {}) {
    std::vector<StoredWorkItem> items;
    EXPECT_EQ(ReadStoredWorkItems(scheduler, items), 0);
    return ListReservations(items, recorder_paths, kNow);
  }
  static std::vector<std::u16string> Cells(const ReservationRow& row) {
    std::vector<std::u16string> cells;
    for (Column column : kColumns) cells.push_back(ColumnText(row, column));
    return cells;
  }

  FakeTaskScheduler scheduler;
};

TEST_F(ReservationList, ShowsEveryRecorderWorkItemInTheOrderOfItsNextRecording) {
  Store(u"毎週アニメ", u"\"D:\\rec\\アニメ.ts\" I2 R2 @071 00:05-00:35 B", 2, 1, 23, 55, 0x01);
  Store(u"ニュース", u"\"D:\\rec\\ニュース.ts\" @011 19:00-19:30 B", 0, 10, 18, 59);
  Store(u"先週の番組", u"\"D:\\rec\\old.ts\" I1 @011 19:00-19:30", 0, 1, 18, 59);
  Store(u"毎日", u"\"D:\\rec\\daily.ts\" I3 P @041 21:00-21:54 B B25", 1, 1, 20, 59);
  Store(u"メモ帳", u"notes.txt", 0, 9, 9, 0, 0, u"C:\\Windows\\notepad.exe");
  Store(u"別の録画", u"\"D:\\rec\\x.ts\" @1 10:00-11:00", 0, 9, 9, 59, 0, u"D:\\tools\\recorder3.exe");
  Store(u"謎", u"--odd", 0, 11, 7, 0);
  Store(u"今終わった", u"\"D:\\rec\\now.ts\" @011 11:00-12:00", 0, 8, 10, 59);
  const auto rows = Rows({u"D:\\Tools\\recorder?.exe"});
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_EQ(Cells(rows[0]), (std::vector<std::u16string>{u"毎日", u"2026/12/08 21:00", u"毎日", u"041", u"3",
                                                         u"21:00-21:54", u"D:\\rec\\daily.ts", u""}));
  EXPECT_EQ(rows[1].item.name, u"別の録画");
  EXPECT_EQ(Cells(rows[2]), (std::vector<std::u16string>{u"ニュース", u"2026/12/10 19:00", u"一回のみ", u"011", u"既定",
                                                         u"19:00-19:30", u"D:\\rec\\ニュース.ts", u""}));
  // Parameters Halvorn could not have composed: what can be read.
  EXPECT_EQ(Cells(rows[3]), (std::vector<std::u16string>{u"謎", u"2026/12/11 07:00", u"一回のみ", u"", u"", u"", u"", u""}));
  // Triggered on Sundays at 23:55, it records on Mondays at 00:05.
  EXPECT_EQ(Cells(rows[4]), (std::vector<std::u16string>{u"毎週アニメ", u"2026/12/14 00:05", u"毎週 月", u"071", u"2",
                                                         u"00:05-00:35", u"D:\\rec\\アニメ.ts", u""}));
  // Once-reservations that have recorded come last, one that ended just now too.
  EXPECT_EQ(Cells(rows[5])[0], u"先週の番組");
  EXPECT_EQ(Cells(rows[5])[7], u"終了");
  EXPECT_EQ(Cells(rows[6])[0], u"今終わった");
  EXPECT_EQ(Cells(rows[6])[7], u"終了");
  EXPECT_EQ(rows[5].next_start, ToLocalMinute(2026, 12, 1, 19, 0));
}

TEST_F(ReservationList, MarksBothRowsOfACollisionAndSaysWhen) {
  Store(u"A", u"\"D:\\a.ts\" I2 R2 @011 21:00-21:54", 0, 10, 20, 59);
  Store(u"B", u"\"D:\\b.ts\" I2 @021 21:30-22:00", 0, 10, 21, 29);
  Store(u"C", u"\"D:\\c.ts\" I3 @041 21:30-22:00", 0, 10, 21, 29);
  const auto rows = Rows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(ColumnText(rows[0], Column::State), u"重複");
  EXPECT_EQ(CollisionNote(rows[0]), u"「B」と重複 2026/12/10 21:30～21:54");
  EXPECT_EQ(CollisionNote(rows[1]), u"「A」と重複 2026/12/10 21:30～21:54");
  EXPECT_EQ(ColumnText(rows[2], Column::State), u"");
  EXPECT_EQ(CollisionNote(rows[2]), u"");

  // Deleted through the scheduler, the other is free again.
  ASSERT_EQ(DeleteStoredWorkItem(scheduler, u"B"), 0);
  EXPECT_EQ(scheduler.deleted, std::vector<std::u16string>{u"B"});
  const auto after = Rows();
  ASSERT_EQ(after.size(), 2u);
  EXPECT_EQ(ColumnText(after[0], Column::State), u"");
  EXPECT_EQ(scheduler.com_initializations, scheduler.com_uninitializations);
  EXPECT_EQ(scheduler.live_interfaces, 0);
}

TEST_F(ReservationList, AnUnreachableSchedulerIsReportedAndAnUnreadableWorkItemIsLeftOut) {
  Store(u"A", u"\"D:\\a.ts\" @011 21:00-21:54", 0, 10, 20, 59);
  std::vector<StoredWorkItem> items;
  for (auto step : {FakeTaskScheduler::Step::InitializeCom, FakeTaskScheduler::Step::CreateScheduler}) {
    scheduler.fail_at = step;
    EXPECT_LT(ReadStoredWorkItems(scheduler, items), 0);
    EXPECT_LT(DeleteStoredWorkItem(scheduler, u"A"), 0);
  }
  scheduler.fail_at = FakeTaskScheduler::Step::Enum;
  EXPECT_LT(ReadStoredWorkItems(scheduler, items), 0);
  scheduler.fail_at = FakeTaskScheduler::Step::Delete;
  EXPECT_LT(DeleteStoredWorkItem(scheduler, u"A"), 0);
  // A work item that cannot be opened or has no readable trigger.
  scheduler.fail_at = FakeTaskScheduler::Step::Activate;
  EXPECT_EQ(ReadStoredWorkItems(scheduler, items), 0);
  EXPECT_TRUE(items.empty());
  scheduler.fail_at = FakeTaskScheduler::Step::GetTrigger;
  scheduler.existing_names = {u"Lost.JOB"};
  EXPECT_EQ(ReadStoredWorkItems(scheduler, items), 0);
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].name, u"A");
  EXPECT_FALSE(items[0].trigger);
  EXPECT_EQ(scheduler.live_interfaces, 0);
}

TEST_F(ReservationList, AReservationHandedBackForAChangeNamesItsWorkItemStationAndTuner) {
  ChannelTable table;
  ParseChannelTable(u"総合,011,DFS00400 ＮＨＫ総合\nＭＸ,091,ＭＸ TOKYO ＭＸ\nＭＸ２,092,ＭＸ\n", table);
  Store(u"深夜枠", u"\"D:\\rec\\深夜アニメ[新].ts\" I2 R2 @011 00:05-00:35 B", 2, 1, 23, 55, 0x01);
  Store(u"ＭＸ", u"\"D:\\rec\\mx.ts\" @092 19:00-19:30", 0, 10, 18, 59);
  Store(u"手入力", u"\"\" @B999 19:00-19:30", 0, 11, 18, 59);
  const auto rows = Rows();
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(ComposeEditReservation(rows[2], table),
            u"Content-type: application/x-tv-program-info; charset=shift_jis\r\nversion: 1\r\n"
            u"station: DFS00400\r\nyear: 2026\r\nmonth: 12\r\ndate: 14\r\nstart: 00:05\r\nend: 00:35\r\n"
            u"program-title: 深夜アニメ[新]\r\nTASKNAME: 深夜枠.job\r\nFX2ID: 2\r\n");
  // Every name of the row is an earlier row's too: the channel itself.
  EXPECT_NE(ComposeEditReservation(rows[0], table).find(u"station: 092\r\n"), std::u16string::npos);
  EXPECT_NE(ComposeEditReservation(rows[0], table).find(u"FX2ID: 0\r\n"), std::u16string::npos);
  // A channel no row has, and no output file: the channel and the work item's name.
  const std::u16string typed = ComposeEditReservation(rows[1], table);
  EXPECT_NE(typed.find(u"station: B999\r\n"), std::u16string::npos);
  EXPECT_NE(typed.find(u"program-title: 手入力\r\n"), std::u16string::npos);
  EXPECT_EQ(StationForChannel(table, u"091"), u"ＭＸ");
  ParseChannelTable(u"a,1,TOKYO\nb,2,TOKYO MX\n", table);
  EXPECT_EQ(StationForChannel(table, u"2"), u"TOKYO MX");
}

}  // namespace
