// 編集: a stored reservation handed to Halvorn and registered there without
// a change comes back as the same reservation, or is refused with a reason.
#include "reservations/edit_reservation.h"

#include <gtest/gtest.h>

#include "platform/file_access.h"
#include "support/main_dialog_fixture.h"

namespace {

constexpr int kLead = 5;
const LocalMinute kNow = ToLocalMinute(2026, 12, 8, 12, 0);

class EditReservation : public MainDialogTest {
 protected:
  EditReservation() {
    folder.WriteText("channel.txt", u"ＮＨＫ総合,011,DFS00400 ＮＨＫ総合\nＭＸ,091,ＭＸ TOKYO ＭＸ\nＭＸ２,092,ＭＸ\n");
    folder.WriteText("Halvorn_setting.ini", u"[system]\noffset_min=5\n[cap_sts]\ncap_sts_path=C:\\tv\\cap_sts.exe\n"
                                            u"folder=D:\\rec\nrmc=1\nb25=1\nbcs=0\n[task]\naccount=recorder\n");
    services.environment[u"SystemRoot"] = folder.WindowsPath("WINDOWS");
    scheduler.tasks_folder = folder.WindowsPath("WINDOWS/Tasks");
    std::filesystem::create_directories(folder / "WINDOWS/Tasks");
    LoadChannelTableFile(folder.WindowsPath("channel.txt"), channels);
  }

  // A work item as Halvorn registers it with the settings above.
  void StoreAsHalvorn(const std::u16string& name, const std::u16string& tuner, const std::u16string& channel,
                      int type, int window_start) {
    JobFile job;
    job.application_name = u"C:\\tv\\cap_sts.exe";
    const std::u16string switches = tuner.empty() ? u"" : u" I" + tuner + u" R" + tuner;
    job.parameters = u"\"D:\\rec\\番組.ts\"" + switches + u" @" + channel + u" " +
                     FormatWindow({window_start, (window_start + 30) % kMinutesPerDay}) + u" B25";
    job.flags = 0x2000;
    const bool crosses_midnight = window_start < kLead;
    const fw::CalendarTime begin = ToCalendarTime(ToLocalMinute(2026, 12, 21) + window_start - kLead);
    JobTrigger trigger;
    trigger.begin_year = static_cast<std::uint16_t>(begin.year);
    trigger.begin_month = static_cast<std::uint16_t>(begin.month);
    trigger.begin_day = static_cast<std::uint16_t>(begin.day);
    trigger.start_hour = static_cast<std::uint16_t>(begin.hour);
    trigger.start_minute = static_cast<std::uint16_t>(begin.minute);
    trigger.type = static_cast<std::uint32_t>(type);
    // Monday and Wednesday, a day earlier where the lead crosses midnight.
    if (type == 1) trigger.type_data = {1, 0, 0};
    if (type == 2) trigger.type_data = {1, static_cast<std::uint16_t>(crosses_midnight ? 0x05 : 0x0A), 0};
    job.triggers.push_back(trigger);
    scheduler.saved[name] = job;
    WriteFileBytes(scheduler.tasks_folder + u"\\" + name + u".job", SerializeJobFile(job));
  }

  ReservationRow Row(std::u16string_view name) {
    std::vector<StoredWorkItem> items;
    EXPECT_EQ(ReadStoredWorkItems(scheduler, items), 0);
    for (auto& row : ListReservations(items, {}, channels, kNow)) {
      if (row.item.name == name) return row;
    }
    ADD_FAILURE() << "no row";
    return {};
  }

  // 編集, then 登録 in Halvorn without a change.
  void EditAndRegister(const ReservationRow& row) {
    folder.WriteBytes("edit.tvpi", EncodeCodePage932(ComposeEditReservation(row, channels)));
    std::u16string command_line = folder.WindowsPath("edit.tvpi");
    CHalvorn2Dlg halvorn(services, scheduler);
    halvorn.command_line = &command_line;
    const auto shown = platform.Open(halvorn);
    shown->ClickButton(IDC_REGISTER);
    EXPECT_EQ(shown->message_boxes(), std::vector<std::u16string>{});
  }

  ChannelTable channels;
};

TEST_F(EditReservation, AnUnchangedRegistrationGivesBackTheSameReservation) {
  const std::u16string names[] = {u"ドラマ...", u"末尾.", u"my.jobs", u"two words", std::u16string(79, u'n'), u"plain"};
  const std::u16string tuners[] = {u"2", u"02", u"2.0", u"+2", u"1e1", u""};
  const std::u16string channels_[] = {u"011", u"", u"B999"};
  int shape = 0;
  for (int type : {0, 1, 2}) {
    for (int window_start : {21 * 60, 3}) {  // the second crosses midnight with the lead
      for (const std::u16string& tuner : tuners) {
        const std::u16string& name = names[shape % std::size(names)];
        const std::u16string& channel = channels_[shape % std::size(channels_)];
        ++shape;
        StoreAsHalvorn(name, tuner, channel, type, window_start);
        const JobFile before = scheduler.saved[name];
        const ReservationRow row = Row(name);
        ASSERT_EQ(WhyNotEditable(row, kLead), std::nullopt);
        EditAndRegister(row);
        ASSERT_EQ(scheduler.saved.size(), 1u) << "the old item stayed beside the new one";
        const JobFile& after = scheduler.saved[name];
        const JobTrigger& was = before.triggers[0];
        const JobTrigger& is = after.triggers.at(0);
        const std::string shape_text = std::to_string(type) + "/" + std::to_string(window_start) + "/" +
                                       std::filesystem::path(name + u"|" + tuner + u"|" + channel).string();
        EXPECT_EQ(after.parameters, before.parameters) << shape_text;
        EXPECT_EQ(is.type, was.type) << shape_text;
        EXPECT_EQ(is.type_data, was.type_data) << shape_text;
        EXPECT_EQ(std::make_pair(is.start_hour, is.start_minute), std::make_pair(was.start_hour, was.start_minute))
            << shape_text;
        if (type == 0) EXPECT_EQ(is.begin_day, was.begin_day) << shape_text;
        scheduler.Remove(name);
      }
    }
  }
}

TEST_F(EditReservation, ARowThatCannotComeBackWholeIsRefusedWithItsReason) {
  const struct {
    const char16_t* name;
    void (*spoil)(JobFile&);
    const char16_t* reason;
  } cases[] = {
      {u"雪\u2603", [](JobFile&) {}, u"名前にシフト JIS で書けない文字があります。"},
      {u"COM1", [](JobFile&) {}, u"名前がタスクのファイル名として読めません。"},
      {u"none", [](JobFile& job) { job.triggers.clear(); }, u"開始日時のトリガーがありません。"},
      {u"two", [](JobFile& job) { job.triggers.push_back(job.triggers[0]); }, u"トリガーが複数あります。"},
      {u"garbage", [](JobFile& job) { job.triggers[0].begin_month = 13; }, u"トリガーの日付と時刻が読めません。"},
      {u"monthly", [](JobFile& job) { job.triggers[0].type = 3; }, u"トリガーが一回のみ・毎日・毎週のどれでもありません。"},
      {u"every 2 days", [](JobFile& job) { job.triggers[0].type = 1; job.triggers[0].type_data = {2, 0, 0}; },
       u"毎日・毎週でない間隔の繰り返しです。"},
      {u"no days", [](JobFile& job) { job.triggers[0].type = 2; job.triggers[0].type_data = {1, 0, 0}; },
       u"毎週のトリガーに曜日がありません。"},
      {u"foreign", [](JobFile& job) { job.parameters = u"--record now"; },
       u"録画のパラメータが Halvorn の作った形ではありません。"},
      {u"lead", [](JobFile& job) { job.triggers[0].start_minute = 50; },
       u"開始の前倒し (10 分) が Halvorn の設定 (5 分) と違います。"},
  };
  for (const auto& c : cases) {
    StoreAsHalvorn(c.name, u"2", u"011", 0, 21 * 60);
    c.spoil(scheduler.saved[c.name]);
    EXPECT_EQ(WhyNotEditable(Row(c.name), kLead), c.reason) << std::filesystem::path(c.name).string();
    scheduler.Remove(c.name);
  }
  EXPECT_TRUE(WhyNotEditable(ReservationRow{}, kLead).has_value());
}

TEST_F(EditReservation, TheStationIsOneHalvornFindsTheStoredChannelBy) {
  // The first name, unless an earlier row has it too; then the row's names,
  // or the channel itself.
  const std::pair<const char16_t*, const char16_t*> stations[] = {
      {u"011", u"DFS00400"}, {u"091", u"ＭＸ"}, {u"092", u"092"}, {u"B999", u"B999"}};
  for (const auto& [channel, station] : stations) EXPECT_EQ(StationForChannel(channels, channel), station);
  ParseChannelTable(u"a,1,TOKYO\nb,2,TOKYO MX\n", channels);
  EXPECT_EQ(StationForChannel(channels, u"2"), u"TOKYO MX");
}

}  // namespace
