#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "scheduler/job_file.h"
#include "scheduler/task_scheduler.h"

// A Task Scheduler in memory that keeps saved work items as .job records,
// counts the interfaces it hands out, and fails at one chosen call.
class FakeTaskScheduler final : public TaskSchedulerPlatform {
 public:
  enum class Step {
    None,
    InitializeCom,
    CreateScheduler,
    Enum,
    NewWorkItem,
    SetAccountInformation,
    SetApplicationName,
    SetWorkingDirectory,
    SetParameters,
    CreateTrigger,
    SetFlags,
    SetTrigger,
    QueryPersistFile,
    Save,
    Delete,
    Activate,
    GetTrigger,
  };

  Step fail_at = Step::None;
  int fail_at_occurrence = 0;                  // which call of that step fails, counting from 1; 0: every one
  std::vector<std::u16string> existing_names;  // as Enum lists them, "NAME.job"
  std::map<std::u16string, JobFile> saved;     // by work item name
  // Where saved work items are also written as NAME.job files, as the Task
  // Scheduler stores them; empty for none.
  std::u16string tasks_folder;
  std::map<std::u16string, std::u16string> accounts;
  int live_interfaces = 0;
  int com_initializations = 0;
  int com_uninitializations = 0;
  std::vector<std::string> calls;       // each platform call and each release, in order
  std::vector<std::u16string> deleted;  // names handed to Delete

  // Removes a stored work item as the Task Scheduler's Delete does.
  void Remove(std::u16string_view name);

  HResult InitializeCom() override;
  void UninitializeCom() override;
  HResult CreateScheduler(std::unique_ptr<SchedulerInterface>& scheduler) override;

  // The status of a call: failure when the test chose this step.
  HResult Answer(Step step, const char* name);

 private:
  std::map<Step, int> occurrences_;
};
