// Registering a reservation as a Task Scheduler work item, step by step.
#include "scheduler/registration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>

#include "support/fake_services.h"
#include "support/fake_task_scheduler.h"

namespace {

using Step = FakeTaskScheduler::Step;

constexpr std::u16string_view kDuplicate = u"既に同じ登録名があります\r\n違う登録名を入力してください";

class Registration : public ::testing::Test {
 protected:
  Registration() {
    setenv("TZ", "Asia/Tokyo", 1);
    tzset();
    form.registration_name = u"News";
    form.account = u"recorder";
    form.pass = form.pass_confirm = u"secret";
    form.file_name = u"news";
    form.folder = u"D:\\rec";
    form.application_name = u"C:\\tv\\cap_sts.exe";
    form.parameters = u"\"D:\\rec\\news.ts\" @101 21:00-21:54";
    start.date = {2026, 3, 0, 5, 0, 0, 0};
    start.hour = 21;
    start.minute = 30;
  }

  // A stored reservation of `application` with a comment no form holds, and
  // the form set to replace it.
  JobFile StoredToReplace(std::u16string_view application) {
    form.delete_same_name = 1;
    JobFile stored;
    stored.application_name = application;
    stored.comment = u"kept";
    stored.triggers.emplace_back();
    return stored;
  }
  std::optional<std::u16string> Register(const ReplacementRules& rules = {}) {
    return RegisterWorkItem(form, start, scheduler, rules);
  }
  void ExpectEverythingReleased() const {
    EXPECT_EQ(scheduler.live_interfaces, 0);
    EXPECT_EQ(scheduler.com_initializations, scheduler.com_uninitializations);
  }

  ReservationForm form;
  RegistrationStart start;
  FakeTaskScheduler scheduler;
  FakeServices services;
};

TEST_F(Registration, SavesTheWorkItemTheFormDescribes) {
  form.del_task = form.resume = 1;
  EXPECT_FALSE(Register());
  ASSERT_EQ(scheduler.saved.count(u"News"), 1u);
  const JobFile& job = scheduler.saved[u"News"];
  EXPECT_EQ(job.application_name, u"C:\\tv\\cap_sts.exe");
  EXPECT_EQ(job.parameters, u"\"D:\\rec\\news.ts\" @101 21:00-21:54");
  EXPECT_EQ(job.working_directory, u"D:\\rec");
  EXPECT_EQ(job.flags, 0x3002u);
  ASSERT_EQ(job.triggers.size(), 1u);
  EXPECT_EQ(job.triggers[0].type, 0u);
  EXPECT_EQ(job.triggers[0].begin_month, 3);
  EXPECT_EQ(job.triggers[0].begin_day, 5);
  EXPECT_EQ(job.triggers[0].start_hour, 21);
  EXPECT_EQ(job.triggers[0].start_minute, 29);
  EXPECT_EQ(scheduler.accounts[u"News"], u"recorder");
  EXPECT_TRUE(services.commands.empty());
  ExpectEverythingReleased();
}

TEST_F(Registration, CallsThePlatformAndReleasesInTheirOrder) {
  // A refused working folder is not looked at.
  scheduler.fail_at = Step::SetWorkingDirectory;
  scheduler.existing_names = {u"a.job", u"b.job", u"c.job", u"d.job", u"e.job", u"f.job"};
  EXPECT_FALSE(Register());
  const std::vector<std::string> expected = {"CoInitialize",
                                             "CoCreateInstance",
                                             "Enum",
                                             "Next 5",
                                             "Next 5",
                                             "Next 5",
                                             "Release enumerator",
                                             "NewWorkItem",
                                             "SetAccountInformation",
                                             "SetApplicationName",
                                             "SetWorkingDirectory",
                                             "SetParameters",
                                             "CreateTrigger",
                                             "SetFlags",
                                             "SetTrigger",
                                             "Release scheduler",
                                             "QueryPersistFile",
                                             "Release task",
                                             "Save",
                                             "Release persist",
                                             "Release trigger",
                                             "CoUninitialize"};
  EXPECT_EQ(scheduler.calls, expected);
}

TEST_F(Registration, FormChecksComeFirstInTheirOrder) {
  ReservationForm original = form;
  form.registration_name.clear();
  form.account.clear();
  EXPECT_EQ(Register(), u"設定名を入力してください");
  form.registration_name = u"News";
  EXPECT_EQ(Register(), u"実行するアカウントを入力してください");
  form.account = u"recorder";
  form.pass_confirm = u"SECRET";
  EXPECT_EQ(Register(), u"パスワードが間違っています");
  EXPECT_EQ(scheduler.com_initializations, 0);

  form.pass.clear();
  form.pass_confirm.clear();
  EXPECT_FALSE(Register());  // an empty password is the platform's to judge
}

TEST_F(Registration, EachFailingStepShowsItsMessageAndLeavesNothingBehind) {
  const struct {
    Step step;
    const char16_t* message;
  } cases[] = {
      {Step::InitializeCom, u"COM初期化エラー"},
      {Step::CreateScheduler, u"オブジェクトの作成に失敗しました"},
      {Step::Enum, u"IEnumWorkItemsエラー"},
      {Step::NewWorkItem, u"新しいタスクアイテムをメモリに作成できません"},
      {Step::SetAccountInformation, u"アカウントとパスワードが設定できません"},
      {Step::SetApplicationName, u"ApplicationName(cap_sts)が設定できません"},
      {Step::SetParameters, u"コマンドラインパラメータが設定できません"},
      {Step::CreateTrigger, u"タスクの実行開始トリガを新しく作成できません"},
      {Step::SetFlags, u"タスクフラグが設定できません"},
      {Step::SetTrigger, u"タスクの実行開始トリガをセットできません"},
      {Step::QueryPersistFile, u"pITaskリリース失敗"},
      {Step::Save, u"pIPersistFile->Save失敗\n(ｱｶｳﾝﾄとﾊﾟｽﾜｰﾄﾞ要確認)"},
  };
  for (const auto& c : cases) {
    FakeTaskScheduler failing;
    failing.fail_at = c.step;
    const ReservationForm before = form;
    EXPECT_EQ(RegisterWorkItem(form, start, failing), c.message);
    EXPECT_TRUE(failing.saved.empty());
    EXPECT_EQ(failing.live_interfaces, 0);
    EXPECT_EQ(failing.com_initializations, failing.com_uninitializations);
    EXPECT_EQ(form.registration_name, before.registration_name);
    EXPECT_EQ(form.parameters, before.parameters);
  }
}

TEST_F(Registration, AnUnreachableSchedulerIsReportedBeforeAForbiddenName) {
  form.registration_name = u"a:b";
  scheduler.fail_at = Step::CreateScheduler;
  EXPECT_EQ(Register(), u"オブジェクトの作成に失敗しました");
  scheduler.fail_at = Step::None;
  EXPECT_EQ(Register(), u"禁止文字(\\/:*?\"<>|)があります\r\n名前を修正してください");
  form.registration_name = u"clean";
  form.file_name = u"time:12";
  EXPECT_EQ(Register(), u"禁止文字(\\/:*?\"<>|)があります\r\n名前を修正してください");
  ExpectEverythingReleased();
}

TEST_F(Registration, ADuplicateNameIsRefusedAsWindowsMatchesNames) {
  scheduler.existing_names = {u"a.job", u"b.job", u"c.job", u"d.job", u"e.job", u"f.job", u"News.job"};
  for (const char16_t* name : {u"News", u"NEWS", u"news"}) {
    form.registration_name = name;
    EXPECT_EQ(Register(), kDuplicate);
  }
  ExpectEverythingReleased();
  form.registration_name = u"New";
  EXPECT_FALSE(Register());

  // The check compares the working name, cut at 255, with ".job" after it.
  const std::u16string long_name(300, u'n');
  scheduler.existing_names = {long_name.substr(0, 255) + u".job"};
  form.registration_name = long_name;
  EXPECT_EQ(Register(), kDuplicate);
  scheduler.existing_names = {long_name.substr(0, 255)};
  EXPECT_FALSE(Register());
}

// Only a recording reservation is replaced, and in place: nothing is deleted,
// nothing new is made, and another program's work item, or one that cannot
// be opened, stays as it was.
TEST_F(Registration, ReplacingChangesOnlyARecordingReservationWhereItStands) {
  JobFile stored = StoredToReplace(u"C:\\TV\\CAP_STS.EXE");
  const struct {
    const char16_t* application;
    bool rules;
    Step fail;
    std::u16string message;
  } cases[] = {
      {u"C:\\backup.exe", true, Step::None, u"「News」は録画予約のタスクではないため、置き換えられません。"},
      {u"C:\\TV\\CAP_STS.EXE", false, Step::None, u"「News」は録画予約のタスクではないため、置き換えられません。"},
      {u"C:\\TV\\CAP_STS.EXE", true, Step::Activate,
       u"「news」を開けないため、置き換えられません。\r\nエラー 0x80004005"},
  };
  for (const auto& c : cases) {
    FakeTaskScheduler scheduler;
    stored.application_name = c.application;
    scheduler.saved[u"news"] = stored;
    scheduler.fail_at = c.fail;
    ReplacementRules rules;
    if (c.rules) rules.runs_a_recorder = [](std::u16string_view app) { return app == u"C:\\TV\\CAP_STS.EXE"; };
    EXPECT_EQ(RegisterWorkItem(form, start, scheduler, rules), c.message);
    EXPECT_EQ(SerializeJobFile(scheduler.saved.at(u"news")), SerializeJobFile(stored));
    EXPECT_EQ(scheduler.saved.size(), 1u);
    EXPECT_EQ(scheduler.live_interfaces, 0);
  }

  ReplacementRules rules{[](std::u16string_view) { return true; }, false};
  scheduler.saved[u"news"] = stored;
  scheduler.accounts[u"news"] = u"owner";
  EXPECT_FALSE(Register(rules));
  EXPECT_EQ(scheduler.saved.size(), 1u);
  EXPECT_EQ(scheduler.saved[u"news"].parameters, form.parameters.str());
  EXPECT_EQ(scheduler.saved[u"news"].comment, u"kept");
  EXPECT_EQ(scheduler.accounts[u"news"], u"owner") << "credentials the user did not retype stay";
  for (const char* step : {"Delete", "NewWorkItem", "SetAccountInformation"})
    EXPECT_EQ(std::count(scheduler.calls.begin(), scheduler.calls.end(), step), 0) << step;
  rules.credentials_changed = true;
  EXPECT_FALSE(Register(rules));
  EXPECT_EQ(scheduler.accounts[u"news"], u"recorder");
  ExpectEverythingReleased();
}

// The viewer's 無効にする and 削除 reach a stored item only through the same
// guard: another program's work item stays as it was, and is said to.
TEST_F(Registration, TheViewersChangeAndDeleteReachOnlyARecordingReservation) {
  const auto recorder = [](std::u16string_view application) { return application.ends_with(u"cap_sts.exe"); };
  const StoredReservationChange switch_off{.flags = [](std::uint32_t f) { return f | kTaskFlagDisabled; }};
  for (const char16_t* application : {u"C:\\tv\\cap_sts.exe", u"C:\\backup.exe"}) {
    const bool ours = recorder(application);
    const JobFile stored = StoredToReplace(application);
    const std::optional<std::u16string> refused =
        ours ? std::nullopt : std::optional(u"「News」は録画予約のタスクではないため、置き換えられません。");
    scheduler.saved[u"News"] = stored;
    EXPECT_EQ(ChangeStoredReservation(scheduler, u"News", switch_off, recorder), refused);
    EXPECT_EQ(scheduler.saved.at(u"News").flags, ours ? kTaskFlagDisabled : 0u);
    EXPECT_EQ(DeleteStoredReservation(scheduler, u"News", recorder), refused);
    EXPECT_EQ(scheduler.saved.count(u"News"), ours ? 0u : 1u);
  }
  ExpectEverythingReleased();
}

// A change in place that fails at any step leaves the stored reservation as
// it was, and says so with the platform's reason.
TEST_F(Registration, AFailedChangeLeavesTheStoredReservationAsItWas) {
  JobFile stored = StoredToReplace(u"C:\\tv\\cap_sts.exe");
  const ReplacementRules rules{[](std::u16string_view) { return true; }, true};
  const std::u16string unchanged = u"「News」は変更されていません。\r\n";
  const std::u16string reason = u"\r\nエラー 0x80004005";
  const std::pair<Step, std::u16string> cases[] = {
      {Step::SetAccountInformation, u"アカウントとパスワードが設定できません"},
      {Step::SetApplicationName, u"ApplicationName(cap_sts)が設定できません"},
      {Step::SetWorkingDirectory, u"作業フォルダが設定できません"},
      {Step::SetParameters, u"コマンドラインパラメータが設定できません"},
      {Step::GetTrigger, u"タスクの実行開始トリガが読めません"},
      {Step::SetFlags, u"タスクフラグが設定できません"},
      {Step::SetTrigger, u"タスクの実行開始トリガをセットできません"},
      {Step::QueryPersistFile, u"pITaskリリース失敗"},
      {Step::Save, u"pIPersistFile->Save失敗\n(ｱｶｳﾝﾄとﾊﾟｽﾜｰﾄﾞ要確認)"},
  };
  for (const auto& [step, message] : cases) {
    FakeTaskScheduler failing;
    failing.saved[u"News"] = stored;
    failing.fail_at = step;
    EXPECT_EQ(RegisterWorkItem(form, start, failing, rules), unchanged + message + reason);
    EXPECT_EQ(SerializeJobFile(failing.saved.at(u"News")), SerializeJobFile(stored));
    EXPECT_EQ(failing.live_interfaces, 0);
    EXPECT_EQ(failing.com_initializations, failing.com_uninitializations);
  }
  // A stored item without a trigger is given one, which fails as creating one does.
  stored.triggers.clear();
  FakeTaskScheduler failing;
  failing.saved[u"News"] = stored;
  failing.fail_at = Step::CreateTrigger;
  EXPECT_EQ(RegisterWorkItem(form, start, failing, rules),
            unchanged + u"タスクの実行開始トリガを新しく作成できません" + reason);
  EXPECT_EQ(SerializeJobFile(failing.saved.at(u"News")), SerializeJobFile(stored));
  // Where it can be made, it carries the schedule the form plans.
  FakeTaskScheduler given;
  given.saved[u"News"] = stored;
  EXPECT_EQ(RegisterWorkItem(form, start, given, rules), std::nullopt);
  ASSERT_EQ(given.saved.at(u"News").triggers.size(), 1u);
  EXPECT_EQ(ToTaskTrigger(given.saved.at(u"News").triggers[0]), RegistrationTrigger(form, start));
}

// The form owns the schedule and the two flags of its check boxes; the
// stored trigger's end, flags, duration and interval and every other flag stay.
TEST(ReplacedParts, TheFormsPartsGoOntoWhatIsStored) {
  TaskTrigger stored{.begin_year = 2020,
                     .end_year = 2027,
                     .end_month = 3,
                     .end_day = 1,
                     .minutes_duration = 60,
                     .minutes_interval = 10,
                     .flags = 0x5,
                     .type = 2,
                     .weeks_interval = 3,
                     .days_of_the_week = 0x41};
  const TaskTrigger planned{.begin_year = 2026,
                            .begin_month = 12,
                            .begin_day = 9,
                            .start_hour = 20,
                            .start_minute = 59,
                            .type = 1,
                            .days_interval = 1};
  TaskTrigger expected = planned;
  expected.end_year = 2027;
  expected.end_month = 3;
  expected.end_day = 1;
  expected.minutes_duration = 60;
  expected.minutes_interval = 10;
  expected.flags = 0x5;
  EXPECT_EQ(ScheduleOnto(stored, planned), expected);

  ReservationForm form;
  for (const auto& [del_task, resume, kept, flags] :
       {std::tuple{0, 0, 0x3006u, 0x2004u}, {1, 1, 0x0u, 0x1002u}, {1, 0, 0x1004u, 0x6u}, {0, 1, 0x2002u, 0x3000u}}) {
    form.del_task = del_task;
    form.resume = resume;
    EXPECT_EQ(FlagsKeeping(kept, form), flags) << kept;
  }
}

TEST_F(Registration, WeeklyAndDailyTriggers) {
  form.repeat = kRepeatWeekly;
  form.offset_min = 5;
  form.weekdays = {1, 0, 0, 0, 0, 0, 1, 0};
  start.date = {2026, 12, 0, 7, 0, 0, 0};
  start.hour = 0;
  start.minute = 3;
  EXPECT_FALSE(Register());
  EXPECT_EQ(form.weekdays[7], 1) << "the form keeps the copy of Sunday the days were read round with";
  const JobTrigger& weekly = scheduler.saved[u"News"].triggers[0];
  EXPECT_EQ(weekly.type, 2u);
  EXPECT_EQ(weekly.begin_day, 6);
  EXPECT_EQ(weekly.type_data[0], 1);
  EXPECT_EQ(weekly.type_data[1], 0x60);
  EXPECT_EQ(weekly.flags, 0u);

  form.registration_name = u"Daily";
  form.repeat = kRepeatDaily;
  EXPECT_FALSE(Register());
  EXPECT_EQ(scheduler.saved[u"Daily"].triggers[0].type, 1u);
  EXPECT_EQ(scheduler.saved[u"Daily"].triggers[0].type_data[0], 1);
}

TEST_F(Registration, AStartThatCannotBeConvertedIsRefusedBeforeAnythingIsCreated) {
  // A year past any the calendar could show.
  start.date = {40000, 1, 0, 1, 0, 0, 0};
  EXPECT_EQ(Register(), u"開始日時が正しくありません");
  EXPECT_EQ(scheduler.com_initializations, 0);
}

}  // namespace
