// Registering a reservation as a Task Scheduler work item, step by step.
#include "scheduler/registration.h"

#include <gtest/gtest.h>

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

  std::optional<std::u16string> Register() { return RegisterWorkItem(form, start, scheduler, services); }
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
    EXPECT_EQ(RegisterWorkItem(form, start, failing, services), c.message);
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
}

TEST_F(Registration, DeleteSameNameRunsTheDeleteCommandFirst) {
  form.delete_same_name = 1;
  form.registration_name = u"録画" + std::u16string(300, u'x');
  EXPECT_FALSE(Register());
  ASSERT_EQ(services.commands.size(), 1u);
  EXPECT_EQ(services.commands[0], u"schtasks /delete /f /tn \"録画" + std::u16string(253, u'x') + u"\"");
  // The work item itself keeps the whole name.
  EXPECT_EQ(scheduler.saved.count(form.registration_name), 1u);
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
