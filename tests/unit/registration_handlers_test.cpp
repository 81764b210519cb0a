// The Register button and closing the dialog: what the user is told, and
// when the program ends.
#include <gtest/gtest.h>

#include "platform/code_page.h"
#include "support/main_dialog_fixture.h"

namespace {

class RegisterButton : public MainDialogTest {
 protected:
  void SetUp() override {
    Open();
    window->Type(IDC_REGISTRATION_NAME, u"News");
    window->Type(IDC_ACCOUNT, u"recorder");
  }
  std::u16string SettingsText() const {
    std::ifstream file(folder / "Halvorn_setting.ini", std::ios::binary);
    return DecodeCodePage932(std::string(std::istreambuf_iterator<char>(file), {}));
  }
};

TEST_F(RegisterButton, AnnouncesSuccessAndStaysOpen) {
  window->ClickButton(IDC_REGISTER);
  EXPECT_EQ(window->message_boxes(), std::vector<std::u16string>{u"登録しました"});
  EXPECT_FALSE(window->ended());
  ASSERT_EQ(scheduler.saved.count(u"News"), 1u);
  EXPECT_EQ(scheduler.saved[u"News"].parameters, u"\"C:\\test.ts\" @001 21:00-21:00 B");
  EXPECT_EQ(scheduler.saved[u"News"].triggers[0].begin_day, 8);
  EXPECT_EQ(scheduler.saved[u"News"].triggers[0].start_minute, 59);
}

TEST_F(RegisterButton, AFailureIsShownAndTheDialogStaysOpen) {
  window->Type(IDC_PASS, u"a");
  window->ClickButton(IDC_REGISTER);
  EXPECT_EQ(window->message_boxes(), std::vector<std::u16string>{u"パスワードが間違っています"});
  EXPECT_FALSE(window->ended());
  EXPECT_TRUE(scheduler.saved.empty());
}

TEST_F(RegisterButton, QuietSuccessSaysNothingAndClosesOnlyWhenAsked) {
  dialog.form.registration_mode = RegistrationMode::Quiet;
  window->ClickButton(IDC_REGISTER);
  EXPECT_TRUE(window->message_boxes().empty());
  EXPECT_FALSE(window->ended());

  window->ClickCheckBox(IDC_AUTOCLOSE);
  window->Type(IDC_REGISTRATION_NAME, u"Second");
  window->ClickButton(IDC_REGISTER);
  EXPECT_TRUE(window->message_boxes().empty());
  EXPECT_TRUE(window->ended());
  EXPECT_NE(SettingsText().find(u"autoclose=1"), std::u16string::npos);
}

TEST_F(RegisterButton, AutomaticRegistrationSavesTheSettingsAndEnds) {
  dialog.form.registration_mode = RegistrationMode::AutoRunning;
  window->ClickButton(IDC_REGISTER);
  EXPECT_TRUE(window->message_boxes().empty());
  EXPECT_TRUE(window->ended());
  EXPECT_EQ(window->result(), 0);
  EXPECT_NE(SettingsText().find(u"[task]\r\naccount=recorder"), std::u16string::npos);
}

TEST_F(RegisterButton, AWeeklyWorkItemComesBackWithItsDaysThroughAReservationNamingIt) {
  // Registered weekly on Monday and Thursday at 00:05 with a lead of 10: the
  // stored days are Sunday and Wednesday; reading the work item back
  // through a reservation gives Monday and Thursday again.
  scheduler.tasks_folder = folder.WindowsPath("WINDOWS\\Tasks");
  std::filesystem::create_directories(folder / "WINDOWS" / "Tasks");
  services.environment[u"SystemRoot"] = folder.WindowsPath("WINDOWS");
  dialog.form.offset_min = 10;
  window->EditTime(IDC_START_TIME, At(0, 5));
  window->ClickRadio(IDC_REPEAT_ONCE, 2);
  window->ClickCheckBox(IDC_TUESDAY);  // the start date's own day stays ticked
  window->ClickCheckBox(IDC_MONDAY);
  window->ClickCheckBox(IDC_THURSDAY);
  window->ClickButton(IDC_REGISTER);
  ASSERT_EQ(window->message_boxes(), std::vector<std::u16string>{u"登録しました"});
  EXPECT_EQ(scheduler.saved[u"News"].triggers[0].type_data[1], 0x0B);  // Sunday, Monday, Wednesday

  folder.WriteText("again.tvpi",
                   u"Content-type: application/x-tv-program-info\nversion: 1\nstation: S\nyear: 2026\n"
                   u"month: 12\ndate: 8\nstart: 0:05\nend: 1:00\nprogram-title: t\nTASKNAME: News.job\n");
  services.file_choices.push_back(folder.WindowsPath("again.tvpi"));
  window->ClickButton(IDC_OPEN_IEPG);
  std::vector<int> ticked;
  for (int day = 0; day < 7; ++day) {
    if (window->GetCheck(IDC_SUNDAY + day) != 0) ticked.push_back(day);
  }
  EXPECT_EQ(ticked, (std::vector<int>{1, 2, 4}));
  EXPECT_EQ(window->GetRadioIndex(IDC_REPEAT_ONCE), 2);
  EXPECT_EQ(window->GetCheck(IDC_DELETE_SAME_NAME), 1);
}

TEST_F(RegisterButton, ClosingSavesWhatTheControlsShowAndTheNextStartShowsItAgain) {
  window->Type(IDC_FOLDER, u"D:\\録画");
  window->ClickCheckBox(IDC_RESUME);
  window->Type(IDC_PASS, u"pw");
  window->Type(IDC_PASS_CONFIRM, u"pw");
  window->PressCloseButton();
  ASSERT_TRUE(window->ended());
  EXPECT_NE(SettingsText().find(u"folder=D:\\録画"), std::u16string::npos);

  headless::Platform again{{2026, 12, 2, 8, 21, 0, 0}};
  again.DeclareRadioGroup({IDC_REPEAT_ONCE, IDC_REPEAT_DAILY, IDC_REPEAT_WEEKLY});
  CHalvorn2Dlg restarted(services, scheduler);
  const auto reopened = again.Open(restarted);
  EXPECT_EQ(reopened->GetText(IDC_FOLDER), u"D:\\録画");
  EXPECT_EQ(reopened->GetText(IDC_ACCOUNT), u"recorder");
  EXPECT_EQ(reopened->GetText(IDC_PASS_CONFIRM), u"pw");
  EXPECT_EQ(reopened->GetCheck(IDC_RESUME), 1);
  EXPECT_EQ(reopened->GetText(IDC_REGISTRATION_NAME), u"");  // not stored
}

// A reservation already stored on the default tuner, Sunday 3 March 2030
// 21:30 to 22:30, and the form set to record there from 21:00 to 22:00.
class CollidingRegistration : public RegisterButton {
 protected:
  void SetUp() override {
    RegisterButton::SetUp();
    JobFile stored;
    stored.application_name = u"cap_sts.exe";  // the recorder the form runs
    stored.parameters = u"\"C:\\old.ts\" @011 21:30-22:30";
    JobTrigger trigger;
    trigger.begin_year = 2030;
    trigger.begin_month = 3;
    trigger.begin_day = 3;
    trigger.start_hour = 21;
    trigger.start_minute = 29;
    stored.triggers.push_back(trigger);
    scheduler.saved[u"Old"] = stored;
    window->PickDate(IDC_START_DATE, {2030, 3, 0, 3, 0, 0, 0});
    window->EditTime(IDC_END_TIME, At(22, 0));
  }
  static constexpr char16_t kQuestion[] =
      u"「News」は同じチューナーの次の予約と時間が重なります。\r\n「Old」 2030/03/03 "
      u"21:30～22:30\r\nこのまま登録しますか？";
};

TEST_F(CollidingRegistration, AsksFirstAndStoresOnlyOnYes) {
  window->ClickButton(IDC_REGISTER);
  EXPECT_EQ(window->warnings(), std::vector<std::u16string>{kQuestion});
  EXPECT_EQ(scheduler.saved.count(u"News"), 0u);
  window->AnswerQuestions({true});
  window->ClickButton(IDC_REGISTER);
  EXPECT_EQ(window->message_boxes().back(), u"登録しました");
  EXPECT_EQ(scheduler.saved.count(u"News"), 1u);
  // Another tuner is no collision: no question.
  window->Type(IDC_REGISTRATION_NAME, u"Elsewhere");
  window->Type(IDC_ID, u"3");
  window->ClickButton(IDC_REGISTER);
  EXPECT_EQ(window->warnings().size(), 2u);
  EXPECT_EQ(scheduler.saved.count(u"Elsewhere"), 1u);
}

TEST_F(CollidingRegistration, AnUnattendedOrQuietRegistrationAsksTooAndStaysOpenOnNo) {
  for (RegistrationMode mode : {RegistrationMode::AutoRunning, RegistrationMode::Quiet}) {
    dialog.form.registration_mode = mode;
    window->ClickButton(IDC_REGISTER);
    ASSERT_FALSE(window->warnings().empty());
    EXPECT_EQ(window->warnings().back(), kQuestion);
    EXPECT_FALSE(window->ended());
    EXPECT_EQ(dialog.form.registration_mode, mode);
    EXPECT_EQ(scheduler.saved.count(u"News"), 0u);
  }
  // Replacing the stored item of the same name does not ask about itself.
  window->Type(IDC_REGISTRATION_NAME, u"Old");
  window->ClickCheckBox(IDC_DELETE_SAME_NAME);
  window->ClickButton(IDC_REGISTER);
  EXPECT_EQ(window->warnings().size(), 2u);
  EXPECT_EQ(scheduler.saved[u"Old"].parameters.find(u"21:00-22:00") != std::u16string::npos, true);
}

// A recorder or a folder that is not there is asked about before storing,
// alone or in the one question with the collision, in every mode.
TEST_F(CollidingRegistration, AMissingRecorderOrFolderIsAskedAboutAloneOrWithTheCollision) {
  window->Type(IDC_CAP_STS_PATH, u"C:\\tv\\cap_sts.exe");
  window->Type(IDC_FOLDER, u"E:\\rec");
  services.file_system.kinds = {{u"C:\\tv\\cap_sts.exe", PathKind::Missing}, {u"E:\\rec", PathKind::NotReady}};
  const std::u16string missing =
      u"「News」の録画プログラム C:\\tv\\cap_sts.exe がありません。\r\n「News」の録画先 E:\\rec がありません。\r\n";
  for (RegistrationMode mode : {RegistrationMode::Normal, RegistrationMode::AutoRunning}) {
    dialog.form.registration_mode = mode;
    window->ClickButton(IDC_REGISTER);  // another program's reservation is no collision
    EXPECT_EQ(window->warnings().back(), missing + u"このまま登録しますか？");
    EXPECT_EQ(scheduler.saved.count(u"News"), 0u);
    EXPECT_FALSE(window->ended());
  }
  scheduler.saved[u"Old"].application_name = u"C:\\tv\\cap_sts.exe";
  window->AnswerQuestions({false, true});
  window->ClickButton(IDC_REGISTER);
  EXPECT_EQ(window->warnings().back(), missing + kQuestion);
  EXPECT_EQ(scheduler.saved.count(u"News"), 0u);
  window->ClickButton(IDC_REGISTER);
  EXPECT_EQ(window->warnings().size(), 4u);
  EXPECT_EQ(scheduler.saved.count(u"News"), 1u);
}

TEST_F(CollidingRegistration, ARegistrationThatWillBeRefusedIsRefusedWithoutAQuestion) {
  scheduler.saved[u"Twin"] = scheduler.saved[u"Old"];
  const std::pair<const char16_t*, const char16_t*> refused[] = {
      {u"News|", u"禁止文字(\\/:*?\"<>|)があります\r\n名前を修正してください"},
      {u"Twin", u"既に同じ登録名があります\r\n違う登録名を入力してください"}};
  for (const auto& [name, refusal] : refused) {
    window->Type(IDC_REGISTRATION_NAME, name);
    window->ClickButton(IDC_REGISTER);
    EXPECT_TRUE(window->warnings().empty()) << std::filesystem::path(name).string();
    EXPECT_EQ(window->message_boxes().back(), refusal);
  }
}

TEST_F(CollidingRegistration, AReplacedReservationThatStaysSwitchedOffCollidesWithNothing) {
  for (const KeptWorkItemParts kept : {KeptWorkItemParts{.flags = 0x4}, KeptWorkItemParts{.trigger_flags = 0x4}}) {
    dialog.form.kept = kept;
    window->ClickButton(IDC_REGISTER);
    EXPECT_TRUE(window->warnings().empty());
    ASSERT_EQ(scheduler.saved.count(u"News"), 1u);
    EXPECT_EQ((scheduler.saved[u"News"].flags | scheduler.saved[u"News"].triggers.at(0).flags) & 0x4, 0x4u);
    scheduler.Remove(u"News");
  }
}

// Another profile of the same recorder whose tuner is free then is offered;
// taking it registers with that profile, as if its tab had been clicked.
TEST_F(CollidingRegistration, AFreeTunerOfTheSameRecorderIsOfferedAndTaken) {
  folder.WriteText("Halvorn_setting.ini",
                   u"[system]\noption_number=3\n[cap_sts]\ntitle=一番\ncap_sts_path=cap_sts.exe\nid=0\n"
                   u"[cap_sts_1]\ntitle=BS\ncap_sts_path=cap_sts_bs.exe\nid=3\n[cap_sts_2]\ntitle=二番\n"
                   u"cap_sts_path=cap_sts.exe\nid=2\nfolder=E:\\two\n[task]\naccount=recorder\n");
  const char16_t* const stored[] = {u"\"E:\\two\\test.ts\" I2 @001 21:00-22:00 B",
                                    u"\"C:\\test.ts\" @001 21:00-22:00 B", nullptr};
  for (std::size_t answer : {0u, 1u, 2u}) {
    CHalvorn2Dlg halvorn(services, scheduler);
    const auto shown = platform.Open(halvorn);
    shown->PickDate(IDC_START_DATE, {2030, 3, 0, 3, 0, 0, 0});
    shown->EditTime(IDC_END_TIME, At(22, 0));
    shown->Type(IDC_REGISTRATION_NAME, u"News");
    shown->AnswerChoices({answer});
    shown->ClickButton(IDC_REGISTER);
    EXPECT_EQ(shown->choice_buttons(),
              (std::vector<std::u16string>{u"「二番」で登録 (チューナー 2)", u"このまま登録", u"登録しない"}));
    ASSERT_EQ(shown->warnings().size(), 1u);
    EXPECT_TRUE(
        shown->warnings()[0].ends_with(u"「二番」のチューナー 2 はこの時間空いています。\r\nこのまま登録しますか？"));
    if (stored[answer] == nullptr) {
      EXPECT_EQ(scheduler.saved.count(u"News"), 0u);
      EXPECT_FALSE(shown->ended());
    } else {
      EXPECT_EQ(scheduler.saved[u"News"].parameters, stored[answer]);
    }
    EXPECT_EQ(shown->Tab(IDC_PROFILE_TABS).GetCurSel(), answer == 0 ? 2 : 0);
    scheduler.Remove(u"News");
  }
}

TEST_F(CollidingRegistration, AStartThatCannotBeConvertedIsRefusedWithoutAQuestion) {
  window->PickDate(IDC_START_DATE, {40000, 3, 0, 3, 0, 0, 0});
  window->ClickButton(IDC_REGISTER);
  EXPECT_EQ(window->message_boxes(), std::vector<std::u16string>{u"開始日時が正しくありません"});
}

TEST_F(RegisterButton, SettingsThatCannotBeSavedAreReportedUnlessUnattended) {
  std::filesystem::create_directories(folder / "Halvorn_setting.ini");
  window->PressCloseButton();
  ASSERT_EQ(window->warnings().size(), 1u);
  EXPECT_TRUE(window->warnings()[0].starts_with(u"設定を保存できませんでした。\r\n" +
                                                folder.WindowsPath("Halvorn_setting.ini") + u"\r\n"));
  EXPECT_TRUE(window->ended());

  CHalvorn2Dlg unattended(services, scheduler);
  const auto shown = platform.Open(unattended);
  unattended.form.registration_mode = RegistrationMode::AutoRunning;
  shown->PressCloseButton();
  EXPECT_TRUE(shown->message_boxes().empty());
  EXPECT_TRUE(shown->ended());
}

}  // namespace

namespace {

// A stored reservation replaced in place is given credentials only where the
// user typed another account or password than the settings file holds.
TEST_F(MainDialogTest, AReplacedReservationKeepsItsCredentialsUnlessTheUserTypedOthers) {
  folder.WriteText("Halvorn_setting.ini", u"[task]\naccount=recorder\npass=old\n");
  const std::pair<int, std::u16string_view> typed[] = {{0, u""}, {IDC_PASS, u"new"}, {IDC_ACCOUNT, u"other"}};
  for (const auto& [control, text] : typed) {
    FakeTaskScheduler stored;
    stored.saved[u"News"].application_name = u"cap_sts.exe";  // the recorder the form runs
    stored.saved[u"News"].triggers.emplace_back();
    CHalvorn2Dlg halvorn(services, stored);
    const auto shown = platform.Open(halvorn);
    shown->Type(IDC_REGISTRATION_NAME, u"News");
    shown->ClickCheckBox(IDC_DELETE_SAME_NAME);
    if (control == IDC_PASS) shown->Type(IDC_PASS_CONFIRM, text);
    if (control != 0) shown->Type(control, text);
    shown->ClickButton(IDC_REGISTER);
    EXPECT_EQ(shown->message_boxes().back(), u"登録しました");
    EXPECT_EQ(std::count(stored.calls.begin(), stored.calls.end(), "SetAccountInformation"), control != 0 ? 1 : 0)
        << control;
  }
}

}  // namespace
