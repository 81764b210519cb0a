#pragma once

#include "scheduler/task_scheduler.h"

// COM for the length of one use of the Task Scheduler: ended when the scope
// is left, on every path, and only when it was begun.
class ComScope {
 public:
  explicit ComScope(TaskSchedulerPlatform& platform) : platform_(platform), result_(platform.InitializeCom()) {}
  ~ComScope() {
    if (!Failed(result_)) platform_.UninitializeCom();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

  bool ok() const { return !Failed(result_); }
  HResult result() const { return result_; }

 private:
  TaskSchedulerPlatform& platform_;
  HResult result_;
};
