#include "scheduler/check_work_item.h"

#include <memory>

#include "platform/path_key.h"
#include "scheduler/com_scope.h"
#include "scheduler/trigger_schedule.h"

namespace {

TaskTrigger FromToday(const TaskTime& today) {
  TaskTrigger trigger;
  trigger.begin_year = today.year;
  trigger.begin_month = today.month;
  trigger.begin_day = today.day;
  return trigger;
}

// The check made step by step and saved; nothing is saved where a step fails.
std::optional<std::u16string> StoreCheckWorkItem(std::unique_ptr<SchedulerInterface> scheduler,
                                                 TaskSchedulerPlatform& platform, std::u16string_view viewer,
                                                 std::u16string_view account, const TaskTime& today) {
  std::unique_ptr<TaskInterface> task;
  HResult status = scheduler->NewWorkItem(kCheckWorkItemName, task);
  const auto failed = [&](std::u16string_view step) {
    return u"「" + std::u16string(kCheckWorkItemName) + u"」を登録できません。\r\n" + std::u16string(step) + u"\r\n" +
           platform.DescribeFailure(status);
  };
  if (Failed(status)) return failed(u"新しいタスクアイテムをメモリに作成できません");
  const std::size_t separator = viewer.find_last_of(u'\\');
  const std::u16string folder(viewer.substr(0, separator == std::u16string_view::npos ? 0 : separator));
  std::unique_ptr<TaskTriggerInterface> at_logon, every_evening;
  if (Failed(status = task->SetApplicationName(viewer)) || Failed(status = task->SetParameters(kCheckParameters)) ||
      Failed(status = task->SetWorkingDirectory(folder)))
    return failed(u"プログラムが設定できません");
  if (Failed(status = task->SetAccountInformation(account, u""))) return failed(u"アカウントが設定できません");
  if (Failed(status = task->SetFlags(kTaskFlagRunOnlyIfLoggedOn)) ||
      Failed(status = task->SetMaxRunTime(kCheckRunLimit)))
    return failed(u"タスクフラグが設定できません");
  if (Failed(status = task->CreateTrigger(at_logon)) || Failed(status = at_logon->SetTrigger(CheckAtLogon(today))) ||
      Failed(status = task->CreateTrigger(every_evening)) ||
      Failed(status = every_evening->SetTrigger(CheckEveryEvening(today))))
    return failed(u"タスクの実行開始トリガをセットできません");
  scheduler.reset();
  std::unique_ptr<PersistFileInterface> persist;
  if (Failed(status = task->QueryPersistFile(persist)) || Failed(status = persist->Save()))
    return failed(u"タスクを保存できません");
  return std::nullopt;
}

}  // namespace

TaskTrigger CheckAtLogon(const TaskTime& today) {
  TaskTrigger trigger = FromToday(today);
  trigger.type = kTaskEventTriggerAtLogon;
  return trigger;
}

TaskTrigger CheckEveryEvening(const TaskTime& today) {
  TaskTrigger trigger = FromToday(today);
  trigger.type = 1;  // daily
  trigger.days_interval = 1;
  trigger.start_hour = kCheckHour;
  return trigger;
}

std::optional<std::u16string> RegisterCheckWorkItem(TaskSchedulerPlatform& platform, std::u16string_view viewer,
                                                    std::u16string_view account, const TaskTime& today) {
  return WithScheduler(platform, [&](std::unique_ptr<SchedulerInterface>& scheduler) {
    return StoreCheckWorkItem(std::move(scheduler), platform, viewer, account, today);
  });
}

bool RunsTheCheck(std::u16string_view application, std::u16string_view viewer) {
  return PathKey(application) == PathKey(viewer);
}
