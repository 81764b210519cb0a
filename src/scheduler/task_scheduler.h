#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The Task Scheduler 1.0 as the registration uses it: one call here for each
// COM call, each answering the platform's status (below zero is a failure).
// Destroying an object releases the interface behind it.
using HResult = std::int32_t;

inline bool Failed(HResult result) { return result < 0; }

// Successes that say something about a work item's runs.
inline constexpr HResult kTaskRunning = 0x00041301;    // SCHED_S_TASK_RUNNING
inline constexpr HResult kTaskHasNotRun = 0x00041303;  // SCHED_S_TASK_HAS_NOT_RUN

// Flags of a work item and of a trigger that decide whether it runs.
inline constexpr std::uint32_t kTaskFlagDisabled = 0x4;       // TASK_FLAG_DISABLED
inline constexpr std::uint32_t kTriggerFlagHasEndDate = 0x1;  // TASK_TRIGGER_FLAG_HAS_END_DATE
inline constexpr std::uint32_t kTriggerFlagDisabled = 0x4;    // TASK_TRIGGER_FLAG_DISABLED

// A moment as the platform's SYSTEMTIME gives it, to the second.
struct TaskTime {
  std::uint16_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  friend bool operator==(const TaskTime&, const TaskTime&) = default;
};

// The platform's TASK_TRIGGER record, as the registration fills it.
struct TaskTrigger {
  std::uint16_t trigger_size = 48;
  std::uint16_t begin_year = 0, begin_month = 0, begin_day = 0;
  std::uint16_t end_year = 0, end_month = 0, end_day = 0;
  std::uint16_t start_hour = 0, start_minute = 0;
  std::uint32_t minutes_duration = 0;
  std::uint32_t minutes_interval = 0;
  std::uint32_t flags = 0;
  std::uint32_t type = 0;              // TASK_TIME_TRIGGER_ONCE 0, _DAILY 1, _WEEKLY 2
  std::uint16_t days_interval = 0;     // daily
  std::uint16_t weeks_interval = 0;    // weekly
  std::uint16_t days_of_the_week = 0;  // weekly, bit 0 Sunday
  friend bool operator==(const TaskTrigger&, const TaskTrigger&) = default;
};

class TaskTriggerInterface {
 public:
  virtual ~TaskTriggerInterface() = default;
  virtual HResult SetTrigger(const TaskTrigger& trigger) = 0;
  virtual HResult GetTrigger(TaskTrigger& trigger) = 0;
};

class PersistFileInterface {
 public:
  virtual ~PersistFileInterface() = default;
  // Save with no file name and "remember" set: into the scheduler's store.
  virtual HResult Save() = 0;
};

class TaskInterface {
 public:
  virtual ~TaskInterface() = default;
  virtual HResult SetAccountInformation(std::u16string_view account, std::u16string_view password) = 0;
  virtual HResult SetApplicationName(std::u16string_view application) = 0;
  virtual HResult SetWorkingDirectory(std::u16string_view folder) = 0;
  virtual HResult SetParameters(std::u16string_view parameters) = 0;
  virtual HResult CreateTrigger(std::unique_ptr<TaskTriggerInterface>& trigger) = 0;
  virtual HResult SetFlags(std::uint32_t flags) = 0;
  virtual HResult SetMaxRunTime(std::uint32_t milliseconds) = 0;
  virtual HResult QueryPersistFile(std::unique_ptr<PersistFileInterface>& persist) = 0;

  // Reading a stored work item back.
  virtual HResult GetApplicationName(std::u16string& application) = 0;
  virtual HResult GetParameters(std::u16string& parameters) = 0;
  virtual HResult GetWorkingDirectory(std::u16string& folder) = 0;
  virtual HResult GetFlags(std::uint32_t& flags) = 0;
  virtual HResult GetTriggerCount(int& count) = 0;
  virtual HResult GetTrigger(int index, std::unique_ptr<TaskTriggerInterface>& trigger) = 0;
  // How the last run went: kTaskHasNotRun when there was none.
  virtual HResult GetMostRecentRunTime(TaskTime& time) = 0;
  virtual HResult GetExitCode(std::uint32_t& exit_code) = 0;
  // The work item's own status, kTaskRunning among them.
  virtual HResult GetStatus(HResult& status) = 0;
};

class WorkItemEnumerator {
 public:
  virtual ~WorkItemEnumerator() = default;
  // Up to `count` names; `names` holds what was fetched (the platform's
  // memory for them is already freed).
  virtual HResult Next(unsigned count, std::vector<std::u16string>& names) = 0;
};

class SchedulerInterface {
 public:
  virtual ~SchedulerInterface() = default;
  virtual HResult Enum(std::unique_ptr<WorkItemEnumerator>& enumerator) = 0;
  virtual HResult NewWorkItem(std::u16string_view name, std::unique_ptr<TaskInterface>& task) = 0;
  // The stored work item of that name (without ".job"), to read.
  virtual HResult Activate(std::u16string_view name, std::unique_ptr<TaskInterface>& task) = 0;
  // Removes the stored work item of that name (without ".job").
  virtual HResult Delete(std::u16string_view name) = 0;
};

// COM itself and the scheduler object.
class TaskSchedulerPlatform {
 public:
  virtual ~TaskSchedulerPlatform() = default;
  virtual HResult InitializeCom() = 0;
  virtual void UninitializeCom() = 0;
  virtual HResult CreateScheduler(std::unique_ptr<SchedulerInterface>& scheduler) = 0;
  // The platform's own words for a failure status, for a message that
  // passes the reason on; its number where it has none.
  virtual std::u16string DescribeFailure(HResult status) {
    std::u16string text = u"エラー 0x";
    for (int shift = 28; shift >= 0; shift -= 4)
      text += u"0123456789ABCDEF"[(static_cast<std::uint32_t>(status) >> shift) & 0xF];
    return text;
  }
};
