// 編集: a stored reservation handed to Halvorn and registered there without
// a change comes back as the same reservation, or is refused with a reason.
#include "reservations/edit_reservation.h"

#include <gtest/gtest.h>

#include <fstream>
#include <tuple>

#include "platform/file_access.h"
#include "settings/ini_file_store.h"
#include "settings/settings_file.h"
#include "support/main_dialog_fixture.h"

namespace {

constexpr int kLead = 5;
const LocalMinute kNow = ToLocalMinute(2026, 12, 8, 12, 0);

// A work item as some Halvorn stored it: its recorder, folder, switches,
// flags and end date, each unlike Halvorn's settings below unless a case
// says otherwise.
struct StoredShape {
  std::u16string application = u"C:\\tv\\cap_sts.exe";
  std::u16string folder = u"D:\\rec";
  std::u16string fileext = u".ts";
  unsigned switches = 1u << b25;  // one bit per profile flag
  std::uint32_t flags = 0x2000;
  std::uint32_t trigger_flags = 0;
  std::array<std::uint16_t, 3> end{};  // year, month, day
};

class EditReservation : public MainDialogTest {
 protected:
  EditReservation() {
    folder.WriteText("channel.txt", u"ＮＨＫ総合,011,DFS00400 ＮＨＫ総合\nＭＸ,091,ＭＸ TOKYO ＭＸ\nＭＸ２,092,ＭＸ\n");
    // Every switch on, wake off and delete-when-done on: unlike the stored items.
    folder.WriteText("Halvorn_setting.ini",
                     u"[system]\noffset_min=5\noption_number=2\n[cap_sts]\ntitle=地デジ\ncap_sts_path=C:\\tv\\cap_sts.exe\n"
                     u"folder=D:\\rec\nid=1\nvlc_parm=-enc\npower_on=1\npower_off=1\nbcs=1\nb25=1\nvlc=1\nsel=1\nsus=1\n"
                     u"rmc=1\n[cap_sts_1]\ntitle=BS\ncap_sts_path=C:\\tv\\cap_sts_bs.exe\nfolder=E:\\bs\nfileext=.m2ts\n"
                     u"[task]\naccount=recorder\ndel_task=1\nresume=0\n");
    services.environment[u"SystemRoot"] = folder.WindowsPath("WINDOWS");
    scheduler.tasks_folder = folder.WindowsPath("WINDOWS/Tasks");
    std::filesystem::create_directories(folder / "WINDOWS/Tasks");
    LoadChannelTableFile(folder.WindowsPath("channel.txt"), channels);
    // Halvorn writes every key of its settings once; from then on a file it
    // left is compared with the next.
    CHalvorn2Dlg once(services, scheduler);
    platform.Open(once)->PressCloseButton();
  }

  // A work item of that shape, with a trigger of `type` for a 30-minute
  // recording starting at `window_start` on Monday 21 December.
  void Store(const std::u16string& name, const std::u16string& tuner, const std::u16string& channel, int type,
             int window_start, const StoredShape& shape = {}) {
    const auto on = [&shape](ProfileFlag flag) { return (shape.switches >> flag & 1u) != 0; };
    JobFile job;
    job.application_name = shape.application;
    job.working_directory = shape.folder;
    std::u16string& p = job.parameters;
    p = u"\"" + shape.folder + u"\\番組" + shape.fileext + u"\"";
    if (!tuner.empty()) p += u" I" + tuner + (on(rmc) ? u" R" + tuner : u"");
    if (on(power_on)) p += u" P";
    p += u" @" + channel + u" " + FormatWindow({window_start, static_cast<int>((window_start + 30) % kMinutesPerDay)});
    for (const auto& [flag, text] : {std::pair{bcs, u" B"}, {b25, u" B25"}, {sel, u" SEL"}, {vlc, u" -vf x,y"},
                                     {sus, u" SUSPEND"}, {power_off, u" POFF"}}) {
      if (on(flag)) p += text;
    }
    job.flags = shape.flags;
    const bool crosses_midnight = window_start < kLead;
    const fw::CalendarTime begin = ToCalendarTime(ToLocalMinute(2026, 12, 21) + window_start - kLead);
    JobTrigger trigger;
    trigger.begin_year = static_cast<std::uint16_t>(begin.year);
    trigger.begin_month = static_cast<std::uint16_t>(begin.month);
    trigger.begin_day = static_cast<std::uint16_t>(begin.day);
    trigger.start_hour = static_cast<std::uint16_t>(begin.hour);
    trigger.start_minute = static_cast<std::uint16_t>(begin.minute);
    trigger.flags = shape.trigger_flags;
    std::tie(trigger.end_year, trigger.end_month, trigger.end_day) = std::tuple(shape.end[0], shape.end[1], shape.end[2]);
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

  HalvornSetup HalvornSettings() {
    IniFileStore store(folder.WindowsPath("Halvorn_setting.ini"));
    StoredProfiles stored;
    ReservationForm form;
    ReadSettings(store, stored, form);
    return {stored.profiles, stored.profile_count, form.offset_min, form.parentheses};
  }

  // The settings file as Halvorn leaves it, but for the channel, which
  // follows every reservation that Halvorn applies.
  std::string SettingsWithoutChannel() {
    std::ifstream file(folder / "Halvorn_setting.ini");
    std::string kept, line;
    while (std::getline(file, line)) {
      if (!line.starts_with("channel=")) kept += line + "\n";
    }
    return kept;
  }

  // 編集, then 登録 in Halvorn without a change, and Halvorn closed.
  void EditAndRegister(const ReservationRow& row, void (*change)(headless::Window&) = nullptr) {
    folder.WriteBytes("edit.tvpi", EncodeCodePage932(ComposeEditReservation(row, channels)));
    std::u16string command_line = folder.WindowsPath("edit.tvpi");
    CHalvorn2Dlg halvorn(services, scheduler);
    halvorn.command_line = &command_line;
    const auto shown = platform.Open(halvorn);
    if (change != nullptr) change(*shown);
    shown->ClickButton(IDC_REGISTER);
    shown->PressCloseButton();
    EXPECT_EQ(shown->message_boxes(), std::vector<std::u16string>{});
  }

  // Stores the shape, hands it to Halvorn and registers it unchanged: every
  // part Halvorn writes comes back, and Halvorn's settings stay as they were.
  void ExpectRoundTrip(const std::u16string& name, const std::u16string& tuner, const std::u16string& channel,
                       int type, int window_start, const StoredShape& shape, const std::string& label) {
    SCOPED_TRACE(label);
    Store(name, tuner, channel, type, window_start, shape);
    const JobFile before = scheduler.saved[name];
    const ReservationRow row = Row(name);
    ASSERT_EQ(WhyNotEditable(row, HalvornSettings()), std::nullopt);
    const std::string settings = SettingsWithoutChannel();
    EditAndRegister(row);
    EXPECT_EQ(SettingsWithoutChannel(), settings);
    ASSERT_EQ(scheduler.saved.size(), 1u) << "the old item stayed beside the new one";
    const JobFile& after = scheduler.saved[name];
    EXPECT_EQ(after.application_name, before.application_name);
    EXPECT_EQ(after.parameters, before.parameters);
    EXPECT_EQ(after.working_directory, before.working_directory);
    EXPECT_EQ(after.flags, before.flags);
    JobTrigger was = before.triggers[0];
    const JobTrigger is = after.triggers.at(0);
    // A series may begin at its next recording instead; nothing else moves.
    if (type != 0) std::tie(was.begin_year, was.begin_month, was.begin_day) = std::tie(is.begin_year, is.begin_month, is.begin_day);
    EXPECT_EQ(SerializeJobFile(JobWith(is)), SerializeJobFile(JobWith(was)));
    scheduler.Remove(name);
  }

  static JobFile JobWith(const JobTrigger& trigger) {
    JobFile job;
    job.triggers.push_back(trigger);
    return job;
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
        ExpectRoundTrip(name, tuner, channel, type, window_start, {},
                        std::to_string(type) + "/" + std::to_string(window_start) + "/" +
                            std::filesystem::path(name + u"|" + tuner + u"|" + channel).string());
      }
    }
  }
}

TEST_F(EditReservation, EveryPartHalvornWritesComesBackWhateverHalvornIsSetTo) {
  std::vector<std::pair<std::string, StoredShape>> shapes;
  for (int flag = 0; flag < kProfileFlagCount; ++flag) {
    shapes.push_back({"only switch " + std::to_string(flag), {.switches = 1u << flag}});
  }
  shapes.push_back({"no switch", {.switches = 0}});
  shapes.push_back({"every switch", {.switches = 0xFF}});
  for (std::uint32_t flags : {0x2000u, 0x3000u, 0x2002u, 0x3002u, 0x2004u, 0x0u}) {
    shapes.push_back({"flags " + std::to_string(flags), {.flags = flags}});
  }
  shapes.push_back({"ended 12/01", {.trigger_flags = kTriggerFlagHasEndDate, .end = {2026, 12, 1}}});
  shapes.push_back({"ends 12/28", {.trigger_flags = kTriggerFlagHasEndDate, .end = {2026, 12, 28}}});
  shapes.push_back({"trigger off", {.trigger_flags = kTriggerFlagDisabled}});
  shapes.push_back({"the BS profile's recorder", {.application = u"C:\\TV\\CAP_STS_BS.EXE", .folder = u"E:\\bs"}});
  shapes.push_back({"another folder and extension", {.folder = u"E:\\other", .fileext = u".m2ts"}});
  for (int type : {0, 1}) {
    for (const auto& [label, shape] : shapes) ExpectRoundTrip(u"ドラマ", u"2", u"011", type, 21 * 60, shape, label);
  }
}

TEST_F(EditReservation, AProfileTakesOnlyTheControlTheUserChanged) {
  Store(u"BS番組", u"2", u"011", 1, 21 * 60, {.application = u"C:\\tv\\cap_sts_bs.exe", .folder = u"E:\\x"});
  EditAndRegister(Row(u"BS番組"), [](headless::Window& shown) { shown.ClickCheckBox(IDC_SEL); });
  const HalvornSetup after = HalvornSettings();
  EXPECT_EQ(after.profiles[1].flags[sel], 1);
  EXPECT_EQ(after.profiles[1].flags[b25], 0) << "the reservation's other switches stay in the reservation";
  EXPECT_EQ(after.profiles[1].folder, u"E:\\bs");
  EXPECT_EQ(after.profiles[0].flags[sel], 1);
  EXPECT_NE(scheduler.saved[u"BS番組"].parameters.find(u" B25 SEL"), std::u16string::npos);
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
      {u"unknown recorder", [](JobFile& job) { job.application_name = u"C:\\other\\cap_sts.exe"; },
       u"この予約の録画プログラムを使うプロファイルがありません。"},
      {u"forbidden character", [](JobFile& job) { job.parameters.replace(job.parameters.find(u"番組"), 2, u"a|b"); },
       u"録画のパラメータを Halvorn の設定で作り直せません。"},
      {u"working folder", [](JobFile& job) { job.working_directory = u"C:\\"; },
       u"作業フォルダーが録画先のフォルダーと違います。"},
  };
  for (const auto& c : cases) {
    Store(c.name, u"2", u"011", 0, 21 * 60);
    c.spoil(scheduler.saved[c.name]);
    EXPECT_EQ(WhyNotEditable(Row(c.name), HalvornSettings()), c.reason) << std::filesystem::path(c.name).string();
    scheduler.Remove(c.name);
  }
  HalvornSetup cleaning = HalvornSettings();
  cleaning.parentheses = 1;
  Store(u"番組[再]", u"2", u"011", 0, 21 * 60);
  EXPECT_EQ(WhyNotEditable(Row(u"番組[再]"), cleaning), u"Halvorn の「括弧を削除」の設定で名前が変わります。");
  EXPECT_TRUE(WhyNotEditable(ReservationRow{}, HalvornSettings()).has_value());
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
