// 編集: a stored reservation handed to Halvorn and registered there without
// a change comes back as the same reservation, or is refused with a reason.
#include "reservations/edit/edit_reservation.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "dialog/halvorn2_dlg.h"
#include "resource.h"
#include "reservations/edit/carried_reservation.h"
#include "support/hand_back_bench.h"
#include "support/profiles.h"

namespace {

constexpr int kLead = HandBackBench::kLead;

class EditReservation : public ::testing::Test, public HandBackBench {
 protected:
  void Store(const std::u16string& name, const std::u16string& tuner, const std::u16string& channel, int type,
             int window_start, const StoredShape& shape = {}) {
    HandBackBench::Store(name, HalvornMadeJob(tuner, channel, type, window_start, kLead, shape));
  }
  ReservationRow Row(std::u16string_view name) {
    auto row = HandBackBench::Row(name);
    EXPECT_TRUE(row.has_value());
    return row.value_or(ReservationRow{});
  }
  void ExpectRoundTrip(const std::u16string& name, const std::u16string& tuner, const std::u16string& channel, int type,
                       int window_start, const StoredShape& shape, const std::string& label) {
    Store(name, tuner, channel, type, window_start, shape);
    const RoundTrip trip = HandBack(name);
    EXPECT_EQ(trip.refused, std::nullopt) << label;
    EXPECT_EQ(trip.fault, "") << label;
    scheduler.Remove(name);
  }
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
    for (const auto& [label, shape] : shapes)
      ExpectRoundTrip(u"ドラマ", u"2", u"011", type, 21 * 60 + 45, shape, label);
  }
  // A name of one letter is a name, not an extension.
  ExpectRoundTrip(u"a", u"2", u"011", 0, 21 * 60 + 45, {}, "one letter");
}

// Whatever else a stored reservation holds, 編集 and an unchanged 登録
// leave it as it was: only what the Task Scheduler rewrites on every save
// moves.
TEST_F(EditReservation, EveryOtherPartOfTheWorkItemStaysAsItWas) {
  std::mt19937_64 random(20261209);
  for (int i = 0; i < 40; ++i) {
    const StoredShape shape{.switches = static_cast<unsigned>(random() & 0xFF),
                            .flags = 0x2000u | static_cast<std::uint32_t>(random() & 0x1006),
                            .trigger_flags = static_cast<std::uint32_t>(random() & 0x5),
                            .end = {2027, static_cast<std::uint16_t>(1 + random() % 12), 1}};
    JobFile job = HalvornMadeJob(u"2", u"011", static_cast<int>(random() % 3),
                                 20 * 60 + static_cast<int>(random() % 120), kLead, shape);
    GiveOtherParts(job, random);
    HandBackBench::Store(u"ドラマ", job);
    scheduler.accounts[u"ドラマ"] = u"DOMAIN\\other";
    const RoundTrip trip = HandBack(u"ドラマ");
    EXPECT_EQ(trip.refused, std::nullopt) << i;
    EXPECT_EQ(trip.fault, "") << i;
    scheduler.Remove(u"ドラマ");
  }
}

// The free tuner taken within 編集 moves the reservation to that profile's
// tuner and folder; the reservation keeps its own wake, and the settings
// file keeps the user's tab, wake and delete-when-done.
TEST_F(EditReservation, TheFreeTunerTakenWithinAnEditLeavesTheUsersSettings) {
  folder.WriteText(
      "Halvorn_setting.ini",
      u"[system]\noffset_min=5\noption_number=3\ncursor=1\n[cap_sts]\ntitle=地デジ\n"
      u"cap_sts_path=C:\\tv\\cap_sts.exe\nfolder=D:\\rec\nid=1\nb25=1\n[cap_sts_1]\ntitle=BS\n"
      u"cap_sts_path=C:\\tv\\cap_sts_bs.exe\n[cap_sts_2]\ntitle=地デジ2\ncap_sts_path=C:\\tv\\cap_sts.exe\n"
      u"folder=E:\\two\nid=2\nb25=1\n[task]\naccount=recorder\ndel_task=0\nresume=0\n");
  CHalvorn2Dlg once(services, scheduler);
  platform.Open(once)->PressCloseButton();
  const std::string settings = SettingsWithoutChannel();
  Store(u"朝", u"1", u"011", 0, 21 * 60, {.flags = 0x3000});
  Store(u"夜", u"1", u"011", 0, 21 * 60);
  EditAndRegister(Row(u"朝"), [](headless::Window& shown) { shown.AnswerChoices({0}); });
  EXPECT_EQ(SettingsWithoutChannel(), settings);
  const JobFile& moved = scheduler.saved[u"朝"];
  EXPECT_TRUE(moved.parameters.starts_with(u"\"E:\\two\\番組.ts\" I2 @011 21:00"))
      << std::filesystem::path(moved.parameters);
  EXPECT_EQ(moved.working_directory, u"E:\\two");
  EXPECT_EQ(moved.flags, 0x3000u);
}

TEST_F(EditReservation, AProfileTakesOnlyTheControlTheUserChanged) {
  Store(u"BS番組", u"2", u"011", 1, 21 * 60, {.application = u"C:\\tv\\cap_sts_bs.exe", .folder = u"E:\\x"});
  EditAndRegister(Row(u"BS番組"), [](headless::Window& shown) { shown.ClickCheckBox(IDC_SEL); });
  // SEL is all the user changed.
  const HalvornSetup after = HalvornSettings();
  EXPECT_EQ(after.profiles[1].flags[sel], 1);
  EXPECT_EQ(after.profiles[1].flags[b25], 0) << "the reservation's other switches stay in the reservation";
  EXPECT_EQ(after.profiles[1].folder, u"E:\\bs");
  EXPECT_EQ(after.profiles[0].flags[sel], 1);
  EXPECT_NE(scheduler.saved[u"BS番組"].parameters.find(u" B25 SEL"), std::u16string::npos);
}

// A guide site's file that names a stored reservation gives it a new time,
// station and tuner, and leaves the rest as the reservation had it.
TEST_F(EditReservation, AFileFromOutsideWritesOnlyItsOwnFields) {
  const StoredShape shape{
      .application = u"C:\\tv\\cap_sts_bs.exe", .folder = u"E:\\x", .switches = 0x9A, .flags = 0x3004};
  Store(u"ドラマ", u"2", u"011", 0, 21 * 60, shape);
  folder.WriteText("web.tvpi",
                   u"Content-type: application/x-tv-program-info\nversion: 1\nstation: ＭＸ TOKYO\n"
                   u"year: 2026\nmonth: 12\ndate: 21\nstart: 22:00\nend: 22:30\nprogram-title: 番組\n"
                   u"FX2ID: 3\nTASKNAME: ドラマ.job\n");
  std::u16string command_line = folder.WindowsPath("web.tvpi");
  CHalvorn2Dlg halvorn(services, scheduler);
  halvorn.command_line = &command_line;
  platform.Open(halvorn)->ClickButton(IDC_REGISTER);
  const JobFile expected = HalvornMadeJob(u"3", u"091", 0, 22 * 60, kLead, shape);
  EXPECT_EQ(scheduler.saved[u"ドラマ"].parameters, expected.parameters);
  EXPECT_EQ(scheduler.saved[u"ドラマ"].flags, expected.flags);
}

// A profile takes from the form each text and each switch the user changed,
// and nothing else.
TEST(HandedBackProfile, TakesEachChangedValueAndNoOther) {
  RecordingProfile shown;
  shown.cap_sts_path = u"C:\\tv\\cap_sts.exe";
  shown.folder = u"D:\\rec";
  shown.fileext = u".ts";
  shown.id = u"2";
  shown.vlc_parm = u"-enc";
  std::vector<std::function<void(RecordingProfile&)>> changes = {
      [](RecordingProfile& p) { p.cap_sts_path = u"C:\\bs\\cap_sts.exe"; },
      [](RecordingProfile& p) { p.folder = u"E:\\x"; },
      [](RecordingProfile& p) { p.fileext = u".m2ts"; },
      [](RecordingProfile& p) { p.id = u"3"; },
      [](RecordingProfile& p) { p.vlc_parm = u"-other"; },
  };
  for (std::size_t flag = 0; flag < kProfileFlagCount; ++flag) {
    changes.emplace_back([flag](RecordingProfile& p) { p.flags[flag] = 1; });
  }
  for (std::size_t i = 0; i < changes.size(); ++i) {
    RecordingProfile after = shown;
    changes[i](after);
    RecordingProfile stored;  // the user's own profile, unlike what was shown
    stored.title = u"BS";
    RecordingProfile expected = stored;
    StoreChangedProfileValues(shown, shown, stored);
    EXPECT_TRUE(stored == expected) << "nothing changed, yet " << i << " was written";
    StoreChangedProfileValues(shown, after, stored);
    changes[i](expected);
    EXPECT_TRUE(stored == expected) << i;
  }
}

// Whatever Halvorn's form cannot compose again is not carried, with the reason.
TEST(HandedBackProfile, ParametersNotOfHalvornsShapeAreNotCarried) {
  const ProfileArray profiles = Profiles({{u"地デジ", u"C:\\tv\\cap_sts.exe", u"2"}});
  for (const char16_t* parameters :
       {u"D:\\a.ts I2 @011 21:00-21:30", u"\"D:\\a.ts\" X9 @011 21:00-21:30", u"\"D:\\a.ts\" I2 @011 21:00"}) {
    StoredWorkItem item;
    item.application = u"C:\\tv\\cap_sts.exe";
    item.parameters = parameters;
    const CarryOutcome outcome = CarryThroughForm(item, profiles, 1);
    EXPECT_FALSE(outcome.carried.has_value()) << std::filesystem::path(parameters);
    EXPECT_EQ(outcome.why_not, u"録画のパラメータが Halvorn の作った形ではありません。");
  }
}

TEST(HandedBackProfile, TheFileNameIsSplitFromItsExtensionAtTheLastDot) {
  const ProfileArray profiles = Profiles({{u"地デジ", u"C:\\tv\\cap_sts.exe", u"2"}});
  const struct {
    const char16_t* path;
    const char16_t* name;
    const char16_t* extension;
  } cases[] = {{u"D:\\rec\\a.ts", u"a", u".ts"},
               {u"D:\\rec\\第1話.前編.m2ts", u"第1話.前編", u".m2ts"},
               {u"D:\\rec.d\\番組", u"番組", u""},
               {u"D:\\rec\\.ts", u".ts", u""}};
  for (const auto& c : cases) {
    StoredWorkItem item;
    item.application = u"C:\\tv\\cap_sts.exe";
    const std::u16string path = c.path;
    item.parameters = u"\"" + path + u"\" I2 @011 21:00-21:30";
    item.working_directory = path.substr(0, path.rfind(u'\\'));
    const CarryOutcome outcome = CarryThroughForm(item, profiles, 1);
    ASSERT_TRUE(outcome.carried.has_value()) << std::filesystem::path(outcome.why_not);
    EXPECT_EQ(outcome.carried->file_name + u"|" + outcome.carried->fileext,
              c.name + std::u16string(u"|") + c.extension);
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
      {u"monthly", [](JobFile& job) { job.triggers[0].type = 3; },
       u"トリガーが一回のみ・毎日・毎週のどれでもありません。"},
      {u"every 2 days",
       [](JobFile& job) {
         job.triggers[0].type = 1;
         job.triggers[0].type_data = {2, 0, 0};
       },
       u"毎日・毎週でない間隔の繰り返しです。"},
      {u"no days",
       [](JobFile& job) {
         job.triggers[0].type = 2;
         job.triggers[0].type_data = {1, 0, 0};
       },
       u"毎週のトリガーに曜日がありません。"},
      {u"foreign", [](JobFile& job) { job.parameters = u"--record now"; },
       u"録画のパラメータが Halvorn の作った形ではありません。"},
      {u"unknown switch", [](JobFile& job) { job.parameters.replace(job.parameters.find(u" I"), 3, u" X9"); },
       u"録画のパラメータが Halvorn の作った形ではありません。"},
      {u"lead", [](JobFile& job) { job.triggers[0].start_minute = 50; },
       u"開始の前倒し (10 分) が Halvorn の設定 (5 分) と違います。"},
      {u"unknown recorder", [](JobFile& job) { job.application_name = u"C:\\other\\cap_sts.exe"; },
       u"この予約の録画プログラムを使うプロファイルがありません。"},
      {u"forbidden character", [](JobFile& job) { job.parameters.replace(job.parameters.find(u"番組"), 2, u"a|b"); },
       u"録画のパラメータを Halvorn の設定で作り直せません。"},
      {u"working folder", [](JobFile& job) { job.working_directory = u"C:\\"; },
       u"作業フォルダーが録画先のフォルダーと違います。"},
      {u"line feed", [](JobFile& job) { job.parameters.insert(job.parameters.find(u"組"), u"\n"); },
       u"録画のパラメータに改行などの制御文字があります。"},
      {u"tab", [](JobFile& job) { job.working_directory += u"\t"; }, u"作業フォルダーに改行などの制御文字があります。"},
      {u"delete", [](JobFile& job) { job.application_name += u"\x7F"; },
       u"録画プログラムのパスに改行などの制御文字があります。"},
      {u"改\r行", [](JobFile&) {}, u"名前に改行などの制御文字があります。"},
      {u"1899", [](JobFile& job) { job.triggers[0].begin_year = 1899; },
       u"録画日の年 (1899) が Halvorn の扱える 1900～9999 年の外です。"},
      {u"10001", [](JobFile& job) { job.triggers[0].begin_year = 10001; },
       u"録画日の年 (10001) が Halvorn の扱える 1900～9999 年の外です。"},
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

// チューナーを変更 stores what 編集 stores when that profile's tab is
// clicked and 登録 pressed, and 無効にする switches the one flag: both done
// and undone give back the stored work item byte for byte.
TEST_F(EditReservation, TheMenusChangesAreAnEditsAndUndoThemselves) {
  folder.WriteText(
      "Halvorn_setting.ini",
      u"[system]\noffset_min=5\noption_number=3\n[cap_sts]\ntitle=地デジ\ncap_sts_path=C:\\tv\\cap_sts.exe\n"
      u"folder=D:\\rec\nid=1\nb25=1\nbcs=0\n[cap_sts_1]\ntitle=BS\ncap_sts_path=C:\\tv\\cap_sts_bs.exe\n"
      u"[cap_sts_2]\ntitle=地デジ2\ncap_sts_path=C:\\tv\\cap_sts.exe\nfolder=E:\\two\nid=2\nsel=1\n"
      u"fileext=.m2ts\n[task]\naccount=recorder\ndel_task=1\nresume=0\n");
  const HalvornSetup setup = HalvornSettings();
  const auto recorder = [](std::u16string_view application) { return RunsARecorder(application, {}); };
  const auto change = [&](const StoredReservationChange& what) {
    EXPECT_EQ(ChangeStoredReservation(scheduler, u"朝", what, recorder), std::nullopt);
    return scheduler.saved[u"朝"];
  };
  const auto on_profile = [&](int profile) {
    const auto command =
        CommandOnProfile(StoredWorkItemOf(scheduler.saved[u"朝"], u"朝"), setup.profiles, setup.profile_count, profile);
    EXPECT_TRUE(command.has_value());
    return StoredReservationChange{.command = command};
  };
  for (const int outside : {-1, setup.profile_count}) {
    EXPECT_FALSE(CommandOnProfile(StoredWorkItemOf(HalvornMadeJob(u"1", u"011", 0, 21 * 60, kLead), u"朝"),
                                  setup.profiles, setup.profile_count, outside))
        << "a profile not in use: " << outside;
  }
  const StoredReservationChange switch_off{.flags = [](std::uint32_t f) { return f ^ kTaskFlagDisabled; }};
  std::mt19937_64 random(20261210);
  for (int i = 0; i < 12; ++i) {
    // Stored as the first profile composes, so that moving back to it undoes the move.
    const StoredShape shape{.flags = 0x2000u | static_cast<std::uint32_t>(random() & 0x1006),
                            .trigger_flags = static_cast<std::uint32_t>(random() & 0x5)};
    JobFile job = HalvornMadeJob(u"1", u"011", 0, 20 * 60 + static_cast<int>(random() % 120), kLead, shape);
    GiveOtherParts(job, random);
    HandBackBench::Store(u"朝", job);
    EditAndRegister(Row(u"朝"), [](headless::Window& shown) { shown.ChangeTab(IDC_PROFILE_TABS, 2); });
    const std::string by_halvorn = SerializeJobFile(scheduler.saved[u"朝"]);

    HandBackBench::Store(u"朝", job);
    const std::string stored = SerializeJobFile(change({}));
    EXPECT_EQ(SerializeJobFile(change(on_profile(2))), by_halvorn) << i;
    EXPECT_EQ(change(switch_off).flags, job.flags ^ kTaskFlagDisabled) << i;
    change(on_profile(0));
    EXPECT_EQ(SerializeJobFile(change(switch_off)), stored) << i;
  }
}
