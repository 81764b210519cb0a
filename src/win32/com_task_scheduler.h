#pragma once

#include "scheduler/task_scheduler.h"

namespace win32 {

// The Task Scheduler 1.0 through its COM interfaces.
class ComTaskScheduler final : public TaskSchedulerPlatform {
 public:
  HResult InitializeCom() override;
  void UninitializeCom() override;
  HResult CreateScheduler(std::unique_ptr<SchedulerInterface>& scheduler) override;
  std::u16string DescribeFailure(HResult status) override;
};

}  // namespace win32
