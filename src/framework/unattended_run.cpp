#include "framework/unattended_run.h"

namespace fw {

namespace {

// Thrown where the run would need the user, and caught by the run.
struct UserNeeded {};

class UnattendedWindow final : public MemoryWindow {
 public:
  using MemoryWindow::MemoryWindow;
  void MessageBox(std::u16string_view, std::u16string_view) override { throw UserNeeded{}; }
  void Warn(std::u16string_view, std::u16string_view) override { throw UserNeeded{}; }
  bool AskYesNo(std::u16string_view, std::u16string_view) override { throw UserNeeded{}; }
  std::size_t AskChoice(std::u16string_view, std::u16string_view, const std::vector<std::u16string>&) override {
    throw UserNeeded{};
  }
};

}  // namespace

UnattendedRun::UnattendedRun(CalendarTime now, std::vector<std::vector<int>> radio_groups)
    : now_(now), radio_groups_(std::move(radio_groups)), previous_(ReplacePlatform(this)) {}

UnattendedRun::~UnattendedRun() { ReplacePlatform(previous_); }

bool UnattendedRun::Run(Dialog& dialog) {
  UnattendedWindow window(dialog, now_);
  for (const auto& group : radio_groups_) window.DeclareRadioGroup(group);
  try {
    dialog.InitDialog();
    window.Raise(EventKind::Paint, 0);
  } catch (const UserNeeded&) {
    return false;
  }
  return window.ended();
}

std::intptr_t UnattendedRun::RunModal(Dialog&) { throw UserNeeded{}; }

}  // namespace fw
