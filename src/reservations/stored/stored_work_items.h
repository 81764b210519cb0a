#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reservations/stored/work_item_cache.h"
#include "scheduler/job_file.h"
#include "scheduler/task_scheduler.h"

// A work item as the Task Scheduler keeps it, read through its interfaces.
struct StoredWorkItem {
  std::u16string name;  // without ".job"
  std::u16string application;
  std::u16string parameters;
  std::u16string working_directory;
  std::optional<TaskTrigger> trigger;  // the first one, when it could be read
  int trigger_count = 0;
  std::uint32_t flags = 0;
  // The last run and how the recorder ended it; nothing when it never ran.
  std::optional<TaskTime> last_run;
  std::uint32_t exit_code = 0;
  bool running = false;
  friend bool operator==(const StoredWorkItem&, const StoredWorkItem&) = default;
};

// A work item as its file in the Tasks folder holds it.
StoredWorkItem StoredWorkItemOf(const JobFile& job, std::u16string name);

// Every work item the Task Scheduler lists. A status below zero when it
// cannot be reached or listed; a work item that cannot be opened is left out.
// Where the Task Scheduler's folder is given, a work item is read from its
// file there when that file can be read: opening a thousand work items
// through the Task Scheduler costs a second, reading their files a blink.
HResult ReadStoredWorkItems(TaskSchedulerPlatform& platform, std::vector<StoredWorkItem>& items,
                            const WorkItemFileAccess& files = {});
