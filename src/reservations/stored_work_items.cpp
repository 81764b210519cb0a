#include "reservations/stored_work_items.h"

#include "scheduler/com_scope.h"

namespace {

// The Task Scheduler lists "NAME.job"; it opens and deletes "NAME".
std::u16string WorkItemName(std::u16string_view listed) {
  constexpr std::u16string_view kExtension = u".job";
  if (listed.size() >= kExtension.size()) {
    std::u16string tail(listed.substr(listed.size() - kExtension.size()));
    for (char16_t& c : tail) {
      if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    if (tail == kExtension) listed.remove_suffix(kExtension.size());
  }
  return std::u16string(listed);
}

std::optional<StoredWorkItem> ReadWorkItem(SchedulerInterface& scheduler, std::u16string name) {
  std::unique_ptr<TaskInterface> task;
  if (Failed(scheduler.Activate(name, task))) return std::nullopt;
  StoredWorkItem item;
  item.name = std::move(name);
  task->GetApplicationName(item.application);
  task->GetParameters(item.parameters);
  task->GetFlags(item.flags);
  std::unique_ptr<TaskTriggerInterface> trigger;
  TaskTrigger first;
  if (Failed(task->GetTriggerCount(item.trigger_count))) item.trigger_count = 0;
  if (item.trigger_count > 0 && !Failed(task->GetTrigger(0, trigger)) && !Failed(trigger->GetTrigger(first))) {
    item.trigger = first;
  }
  TaskTime last_run;
  const HResult ran = task->GetMostRecentRunTime(last_run);
  if (!Failed(ran) && ran != kTaskHasNotRun && last_run.year != 0) {
    item.last_run = last_run;
    if (Failed(task->GetExitCode(item.exit_code))) item.exit_code = 0;
  }
  HResult status = 0;
  item.running = !Failed(task->GetStatus(status)) && status == kTaskRunning;
  return item;
}

}  // namespace

HResult ReadStoredWorkItems(TaskSchedulerPlatform& platform, std::vector<StoredWorkItem>& items) {
  items.clear();
  ComScope com(platform);
  if (!com.ok()) return com.result();
  std::unique_ptr<SchedulerInterface> scheduler;
  if (const HResult result = platform.CreateScheduler(scheduler); Failed(result)) return result;
  std::unique_ptr<WorkItemEnumerator> enumerator;
  if (const HResult result = scheduler->Enum(enumerator); Failed(result)) return result;
  std::vector<std::u16string> names;
  std::vector<std::u16string> fetched;
  while (!Failed(enumerator->Next(5, fetched)) && !fetched.empty()) {
    names.insert(names.end(), fetched.begin(), fetched.end());
    fetched.clear();
  }
  enumerator.reset();
  for (const auto& listed : names) {
    if (auto item = ReadWorkItem(*scheduler, WorkItemName(listed))) items.push_back(std::move(*item));
  }
  return 0;
}

HResult DeleteStoredWorkItem(TaskSchedulerPlatform& platform, std::u16string_view name) {
  ComScope com(platform);
  if (!com.ok()) return com.result();
  std::unique_ptr<SchedulerInterface> scheduler;
  if (const HResult result = platform.CreateScheduler(scheduler); Failed(result)) return result;
  return scheduler->Delete(name);
}
