// Registering a reservation as a Task Scheduler work item, step by step.
#include "scheduler/registration.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "support/fake_services.h"
#include "support/fake_task_scheduler.h"

namespace {

using Step = FakeTaskScheduler::Step;

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

  std::optional<std::u16string> Register() { return RegisterWorkItem(form, start, scheduler); }
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

TEST_F(Registration, ADuplicateNameIsRefusedButOnlyWithTheSameCase) {
  scheduler.existing_names = {u"a.job", u"b.job", u"c.job", u"d.job", u"e.job", u"f.job", u"News.job"};
  EXPECT_EQ(Register(), u"既に同じ登録名があります\r\n違う登録名を入力してください");
  ExpectEverythingReleased();
  form.registration_name = u"NEWS";
  EXPECT_FALSE(Register());
  form.registration_name = u"New";
  EXPECT_FALSE(Register());

  // The check compares the working name, cut at 255, with ".job" after it.
  const std::u16string long_name(300, u'n');
  scheduler.existing_names = {long_name.substr(0, 255) + u".job"};
  form.registration_name = long_name;
  EXPECT_EQ(Register(), u"既に同じ登録名があります\r\n違う登録名を入力してください");
  scheduler.existing_names = {long_name.substr(0, 255)};
  EXPECT_FALSE(Register());
}

TEST_F(Registration, DeleteSameNameReplacesTheStoredWorkItemThroughTheScheduler) {
  scheduler.saved[u"News"].parameters = u"old";
  form.delete_same_name = 1;
  EXPECT_FALSE(Register());
  EXPECT_EQ(scheduler.deleted, std::vector<std::u16string>{u"News"});
  EXPECT_EQ(scheduler.saved[u"News"].parameters, form.parameters.str());
  // The enumeration taken before the delete still lists the old work item;
  // the duplicate check must run on one taken after it.
  const auto& calls = scheduler.calls;
  const auto deleted = std::find(calls.begin(), calls.end(), "Delete");
  ASSERT_NE(deleted, calls.end());
  EXPECT_EQ(std::count(calls.begin(), deleted, "Enum"), 1);
  EXPECT_EQ(std::count(deleted, calls.end(), "Enum"), 1);
  ExpectEverythingReleased();

  // The working name, cut at 255, is what is deleted; the whole name is registered.
  form.registration_name = u"録画" + std::u16string(300, u'x');
  EXPECT_FALSE(Register());
  EXPECT_EQ(scheduler.deleted.back(), u"録画" + std::u16string(253, u'x'));
  EXPECT_EQ(scheduler.saved.count(form.registration_name), 1u);

  // No enumeration after the delete: nothing is stored in its place.
  FakeTaskScheduler failing;
  failing.fail_at = Step::Enum;
  failing.fail_at_occurrence = 2;
  form.registration_name = u"News";
  EXPECT_EQ(RegisterWorkItem(form, start, failing), u"IEnumWorkItemsエラー");
  EXPECT_EQ(failing.deleted.size(), 1u);
  EXPECT_TRUE(failing.saved.empty());
  EXPECT_EQ(failing.live_interfaces, 0);
}

TEST_F(Registration, AWorkItemThatSurvivesTheDeleteIsStillADuplicate) {
  scheduler.existing_names = {u"News.job"};
  form.delete_same_name = 1;
  scheduler.fail_at = Step::Delete;
  EXPECT_EQ(Register(), u"既に同じ登録名があります\r\n違う登録名を入力してください");
  EXPECT_EQ(scheduler.deleted.size(), 1u);
  // Forbidden characters are reported before anything is deleted.
  form.registration_name = u"News?";
  EXPECT_EQ(Register(), u"禁止文字(\\/:*?\"<>|)があります\r\n名前を修正してください");
  EXPECT_EQ(scheduler.deleted.size(), 1u);
  ExpectEverythingReleased();
}

TEST_F(Registration, WeeklyAndDailyTriggers) {
  form.repeat = kRepeatWeekly;
  form.offset_min = 5;
  form.weekdays = {1, 0, 0, 0, 0, 0, 1, 0};
  start.date = {2026, 12, 0, 7, 0, 0, 0};
  start.hour = 0;
  start.minute = 3;
  EXPECT_FALSE(Register());
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
