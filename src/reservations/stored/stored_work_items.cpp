#include "reservations/stored/stored_work_items.h"

#include <algorithm>

#include "platform/file_access.h"
#include "scheduler/com_scope.h"
#include "scheduler/job_file.h"
#include "scheduler/work_item_name.h"

namespace {

// The Task Scheduler lists "NAME.job"; it opens and deletes "NAME".
std::u16string WorkItemName(std::u16string_view listed) { return std::u16string(WorkItemNameOf(listed)); }

// What the Task Scheduler would answer, from the work item's own file.
std::optional<StoredWorkItem> ReadWorkItemFile(CachedWorkItemFiles& files, std::u16string_view listed,
                                               const std::optional<FileStamp>& stamp = std::nullopt) {
  if (!NamesAWorkItemFile(listed)) return std::nullopt;
  const auto bytes = stamp ? files.Read(listed, *stamp) : files.Read(listed);
  const auto job = bytes ? ParseJobFile(*bytes) : std::nullopt;
  if (!job) return std::nullopt;
  return StoredWorkItemOf(*job, WorkItemName(listed));
}

std::optional<StoredWorkItem> ReadWorkItem(SchedulerInterface& scheduler, std::u16string name) {
  std::unique_ptr<TaskInterface> task;
  if (Failed(scheduler.Activate(name, task))) return std::nullopt;
  StoredWorkItem item;
  item.name = std::move(name);
  task->GetApplicationName(item.application);
  task->GetParameters(item.parameters);
  task->GetWorkingDirectory(item.working_directory);
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

StoredWorkItem StoredWorkItemOf(const JobFile& job, std::u16string name) {
  StoredWorkItem item;
  item.name = std::move(name);
  item.application = job.application_name;
  item.parameters = job.parameters;
  item.working_directory = job.working_directory;
  item.flags = job.flags;
  item.trigger_count = static_cast<int>(job.triggers.size());
  if (!job.triggers.empty()) item.trigger = ToTaskTrigger(job.triggers[0]);
  const auto& run = job.last_run_time;  // SYSTEMTIME: year, month, weekday, day, hour, minute, ...
  constexpr std::uint32_t kNotScheduled = 0x41305;
  if (job.status != static_cast<std::uint32_t>(kTaskHasNotRun) && job.status != kNotScheduled && run[0] != 0) {
    item.last_run = TaskTime{run[0], run[1], run[3], run[4], run[5], run[6]};
    item.exit_code = job.exit_code;
  }
  item.running = job.running_instance_count > 0 || job.status == static_cast<std::uint32_t>(kTaskRunning);
  return item;
}

namespace {

// The Task Scheduler, reached only when something must be asked of it:
// COM is begun at the first question and ended when this goes.
class SchedulerWhenNeeded {
 public:
  explicit SchedulerWhenNeeded(TaskSchedulerPlatform& platform) : platform_(platform) {}
  SchedulerInterface* Get() {
    if (!com_) {
      com_.emplace(platform_);
      status_ = com_->ok() ? platform_.CreateScheduler(scheduler_) : com_->result();
    }
    return Failed(status_) ? nullptr : scheduler_.get();
  }
  HResult status() const { return status_; }

 private:
  TaskSchedulerPlatform& platform_;
  std::optional<ComScope> com_;
  std::unique_ptr<SchedulerInterface> scheduler_;  // released before COM ends
  HResult status_ = 0;
};

// The work item files the Task Scheduler's folder lists, "NAME.job" in any
// letter case: the work items the Task Scheduler itself lists.
// In the order of their names, whatever order the file system keeps.
std::optional<std::vector<ListedFile>> ListWorkItemFiles(std::u16string_view folder) {
  auto files = ListFiles(folder);
  if (!files) return files;
  std::erase_if(*files, [](const ListedFile& file) { return WorkItemNameOf(file.name) == file.name; });
  std::sort(files->begin(), files->end(), [](const ListedFile& a, const ListedFile& b) { return a.name < b.name; });
  return files;
}

}  // namespace

HResult ReadStoredWorkItems(TaskSchedulerPlatform& platform, std::vector<StoredWorkItem>& items,
                            const WorkItemFileAccess& files) {
  items.clear();
  SchedulerWhenNeeded scheduler(platform);
  // Where the folder can be listed, one pass over it names every work item
  // with its size and write time, and the Task Scheduler is asked only
  // about a file that cannot be read.
  if (const auto listed = files.folder.empty() ? std::nullopt : ListWorkItemFiles(files.folder)) {
    CachedWorkItemFiles folder(files);
    for (const ListedFile& file : *listed) {
      auto item = ReadWorkItemFile(folder, file.name, file.stamp);
      if (!item && scheduler.Get() != nullptr) item = ReadWorkItem(*scheduler.Get(), WorkItemName(file.name));
      if (item) items.push_back(std::move(*item));
    }
    folder.Save();
    return 0;
  }
  if (scheduler.Get() == nullptr) return scheduler.status();
  std::unique_ptr<WorkItemEnumerator> enumerator;
  if (const HResult result = scheduler.Get()->Enum(enumerator); Failed(result)) return result;
  std::vector<std::u16string> names;
  std::vector<std::u16string> fetched;
  while (!Failed(enumerator->Next(5, fetched)) && !fetched.empty()) {
    names.insert(names.end(), fetched.begin(), fetched.end());
    fetched.clear();
  }
  enumerator.reset();
  std::optional<CachedWorkItemFiles> folder;
  if (!files.folder.empty()) folder.emplace(files);
  for (const auto& listed : names) {
    auto item = folder ? ReadWorkItemFile(*folder, listed) : std::nullopt;
    if (!item) item = ReadWorkItem(*scheduler.Get(), WorkItemName(listed));
    if (item) items.push_back(std::move(*item));
  }
  if (folder) folder->Save();
  return 0;
}
