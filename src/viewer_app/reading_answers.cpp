#include "viewer_app/reading_answers.h"

#include <utility>

#include "win32/file_system_facts.h"

// Shared by the window's thread and the one answering, so that a window
// that stopped waiting leaves the answering thread nothing freed to write into.
struct ReadingAnswers::State {
  State(FileSystemQuestions asked, HWND to, UINT with, WPARAM of)
      : questions(std::move(asked)), window(to), message(with), reading(of) {}

  const FileSystemQuestions questions;
  const HWND window;
  const UINT message;
  const WPARAM reading;
  mutable SRWLOCK lock = SRWLOCK_INIT;
  FileSystemAnswers answers;
  bool whole = false;
};

namespace {

using State = ReadingAnswers::State;

// The questions about paths on a share, taken out of `questions`.
FileSystemQuestions TakeSharedPaths(FileSystemQuestions& questions, win32::FileSystemFacts& facts) {
  FileSystemQuestions shared;
  const auto move = [&](auto& from, auto& to) {
    for (auto path = from.begin(); path != from.end();) {
      if (facts.OnAShare(*path)) {
        to.insert(*path);
        path = from.erase(path);
      } else {
        ++path;
      }
    }
  };
  move(questions.kinds, shared.kinds);
  move(questions.stamps, shared.stamps);
  move(questions.spaces, shared.spaces);
  return shared;
}

DWORD WINAPI Answer(LPVOID parameter) {
  const std::unique_ptr<std::shared_ptr<State>> handed(static_cast<std::shared_ptr<State>*>(parameter));
  State& state = **handed;
  win32::FileSystemFacts facts(win32::FileSystemFacts::Waiting::AsLongAsItTakes);
  const auto take = [&state](const FileSystemAnswers& answer) {
    AcquireSRWLockExclusive(&state.lock);
    state.answers.Take(answer);
    ReleaseSRWLockExclusive(&state.lock);
  };
  FileSystemQuestions local = state.questions;
  const FileSystemQuestions shared = TakeSharedPaths(local, facts);
  AnswerQuestions(local, facts, take);
  AnswerQuestions(shared, facts, take);
  AcquireSRWLockExclusive(&state.lock);
  state.whole = true;
  ReleaseSRWLockExclusive(&state.lock);
  PostMessageW(state.window, state.message, state.reading, 0);
  return 0;
}

}  // namespace

ReadingAnswers::ReadingAnswers(FileSystemQuestions questions, HWND window, UINT message, WPARAM reading)
    : state_(std::make_shared<State>(std::move(questions), window, message, reading)) {
  auto* handed = new std::shared_ptr<State>(state_);
  thread_ = win32::UniqueHandle(CreateThread(nullptr, 0, Answer, handed, 0, nullptr));
  if (!thread_) {
    // No thread to ask on: asked here, a share given a second.
    delete handed;
    win32::FileSystemFacts facts;
    AnswerQuestions(state_->questions, facts,
                    [this](const FileSystemAnswers& answer) { state_->answers.Take(answer); });
    state_->whole = true;
  }
}

void ReadingAnswers::WaitUpTo(DWORD milliseconds) const {
  if (thread_) WaitForSingleObject(thread_.get(), milliseconds);
}

ReadingAnswers::SoFar ReadingAnswers::Answered() const {
  AcquireSRWLockShared(&state_->lock);
  SoFar so_far{state_->answers, state_->whole};
  ReleaseSRWLockShared(&state_->lock);
  return so_far;
}
