#pragma once

#include <string>
#include <utility>

#include "win32/windows_api.h"

// Notices changes to the Task Scheduler's folder made by any program: a
// work item added, deleted or rewritten, and the folder itself appearing
// or being deleted.
class TasksFolderWatch {
 public:
  TasksFolderWatch() = default;
  ~TasksFolderWatch() { Stop(); }
  TasksFolderWatch(const TasksFolderWatch&) = delete;
  TasksFolderWatch& operator=(const TasksFolderWatch&) = delete;

  // The folder to follow; the first look only starts watching it.
  void Follow(std::wstring folder) {
    Stop();
    folder_ = std::move(folder);
    Changed();
  }
  // Whether anything changed since the last look; never waits. A folder
  // that is not there yet is looked for again at every call.
  bool Changed() {
    const DWORD attributes = GetFileAttributesW(folder_.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      const bool was_watched = handle_ != INVALID_HANDLE_VALUE;
      Stop();
      return was_watched;
    }
    if (handle_ == INVALID_HANDLE_VALUE) {
      handle_ = FindFirstChangeNotificationW(
          folder_.c_str(), FALSE,
          FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE);
      return handle_ != INVALID_HANDLE_VALUE;
    }
    if (WaitForSingleObject(handle_, 0) != WAIT_OBJECT_0) return false;
    FindNextChangeNotification(handle_);
    return true;
  }

 private:
  void Stop() {
    if (handle_ != INVALID_HANDLE_VALUE) FindCloseChangeNotification(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }
  std::wstring folder_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};
