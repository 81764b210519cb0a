// The viewer's own work item for its check: registered as the user asks,
// never counted as a reservation, and deleted only where it is the check.
#include "scheduler/check_work_item.h"

#include <gtest/gtest.h>

#include "reservations/views/reservation_list.h"
#include "scheduler/registration.h"
#include "scheduler/trigger_schedule.h"
#include "support/fake_task_scheduler.h"

namespace {

constexpr std::u16string_view kViewer = u"C:\\Program Files\\Halvorn\\Brisquet.exe";
const TaskTime kToday{2026, 12, 9, 21, 30};

TEST(CheckWorkItem, RunsTheCheckAtLogonAndEveryEveningAsTheLoggedOnUser) {
  FakeTaskScheduler scheduler;
  ASSERT_EQ(RegisterCheckWorkItem(scheduler, kViewer, u"PC\\user", kToday), std::nullopt);
  const JobFile& job = scheduler.saved.at(std::u16string(kCheckWorkItemName));
  EXPECT_EQ(job.application_name, kViewer);
  EXPECT_EQ(job.parameters, u"/check");
  EXPECT_EQ(job.working_directory, u"C:\\Program Files\\Halvorn");
  EXPECT_EQ(job.flags, kTaskFlagRunOnlyIfLoggedOn) << "waking nothing, deleting nothing";
  EXPECT_EQ(job.maximum_run_time, 15u * 60 * 1000);
  EXPECT_EQ(scheduler.accounts.at(std::u16string(kCheckWorkItemName)), u"PC\\user");
  ASSERT_EQ(job.triggers.size(), 2u);
  EXPECT_EQ(ToTaskTrigger(job.triggers[0]),
            (TaskTrigger{.begin_year = 2026, .begin_month = 12, .begin_day = 9, .type = 7}));
  EXPECT_EQ(
      ToTaskTrigger(job.triggers[1]),
      (TaskTrigger{
          .begin_year = 2026, .begin_month = 12, .begin_day = 9, .start_hour = 18, .type = 1, .days_interval = 1}));
  EXPECT_EQ(scheduler.live_interfaces, 0);
  EXPECT_EQ(scheduler.com_initializations, scheduler.com_uninitializations);

  // No view counts it: it runs no recorder.
  StoredWorkItem item = StoredWorkItemOf(job, std::u16string(kCheckWorkItemName));
  EXPECT_TRUE(ListReservations({item}, {u"C:\\tv\\cap_sts.exe"}, {}, 0).empty());

  // Unticked, only the check's own work item goes.
  const auto is_check = [](std::u16string_view application) { return RunsTheCheck(application, kViewer); };
  scheduler.saved.at(std::u16string(kCheckWorkItemName)).application_name = u"C:\\other\\backup.exe";
  EXPECT_NE(DeleteStoredReservation(scheduler, kCheckWorkItemName, is_check), std::nullopt);
  EXPECT_EQ(scheduler.saved.size(), 1u);
  scheduler.saved.at(std::u16string(kCheckWorkItemName)).application_name = u"c:\\PROGRAM FILES\\halvorn\\brisquet.exe";
  EXPECT_EQ(DeleteStoredReservation(scheduler, kCheckWorkItemName, is_check), std::nullopt);
  EXPECT_TRUE(scheduler.saved.empty());
}

TEST(CheckWorkItem, AFailingStepStoresNothingAndSaysWhich) {
  for (const auto step :
       {FakeTaskScheduler::Step::NewWorkItem, FakeTaskScheduler::Step::SetApplicationName,
        FakeTaskScheduler::Step::SetFlags, FakeTaskScheduler::Step::CreateTrigger, FakeTaskScheduler::Step::Save}) {
    FakeTaskScheduler scheduler;
    scheduler.fail_at = step;
    const auto failure = RegisterCheckWorkItem(scheduler, kViewer, u"user", kToday);
    ASSERT_TRUE(failure.has_value()) << static_cast<int>(step);
    EXPECT_TRUE(failure->starts_with(u"「Brisquet 録画の確認」を登録できません。")) << static_cast<int>(step);
    EXPECT_TRUE(scheduler.saved.empty());
    EXPECT_EQ(scheduler.live_interfaces, 0);
  }
}

}  // namespace
