#pragma once

#include <memory>

#include "reservations/checks/file_system_answers.h"
#include "win32/unique_handle.h"
#include "win32/windows_api.h"

// One reading's questions to the file system, answered on a thread of its
// own so that a sleeping share never holds the window: local paths first,
// then the shares, each path once. The window is told with `message` when
// the last answer has come.
class ReadingAnswers {
 public:
  ReadingAnswers(FileSystemQuestions questions, HWND window, UINT message, WPARAM reading);
  ReadingAnswers(const ReadingAnswers&) = delete;
  ReadingAnswers& operator=(const ReadingAnswers&) = delete;

  // Waits until every question is answered or the time is up.
  void WaitUpTo(DWORD milliseconds) const;

  struct SoFar {
    FileSystemAnswers answers;
    bool whole = false;  // every question answered
  };
  SoFar Answered() const;

  struct State;

 private:
  std::shared_ptr<State> state_;
  win32::UniqueHandle thread_;
};
