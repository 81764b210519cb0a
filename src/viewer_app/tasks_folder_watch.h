#pragma once

#include <string>

#include "win32/windows_api.h"

// Notices changes to the Task Scheduler's folder made by any program: a
// work item added, deleted or rewritten.
class TasksFolderWatch {
 public:
  TasksFolderWatch() = default;
  ~TasksFolderWatch() { Stop(); }
  TasksFolderWatch(const TasksFolderWatch&) = delete;
  TasksFolderWatch& operator=(const TasksFolderWatch&) = delete;

  // False when the folder cannot be watched; the list then changes on 更新 only.
  bool Start(const std::wstring& folder) {
    Stop();
    handle_ = FindFirstChangeNotificationW(
        folder.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE);
    return handle_ != INVALID_HANDLE_VALUE;
  }
  // Whether anything changed since the last look; never waits.
  bool Changed() {
    if (handle_ == INVALID_HANDLE_VALUE || WaitForSingleObject(handle_, 0) != WAIT_OBJECT_0) return false;
    FindNextChangeNotification(handle_);
    return true;
  }

 private:
  void Stop() {
    if (handle_ != INVALID_HANDLE_VALUE) FindCloseChangeNotification(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};
