#pragma once

#include <memory>
#include <optional>
#include <string>

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

// `work` given a scheduler made for it, with COM begun before and ended
// after it; what `work` says, or why COM or the scheduler could not be had.
template <typename Work>
std::optional<std::u16string> WithScheduler(TaskSchedulerPlatform& platform, Work work) {
  ComScope com(platform);
  if (!com.ok()) return u"COM初期化エラー";
  std::unique_ptr<SchedulerInterface> scheduler;
  if (Failed(platform.CreateScheduler(scheduler))) return u"オブジェクトの作成に失敗しました";
  return work(scheduler);
}
