#include "framework/dialog.h"

#include <cstdlib>

#include "framework/platform.h"

namespace fw {

std::intptr_t Dialog::DoModal() {
  const std::intptr_t result = CurrentPlatform().RunModal(*this);
  window_ = nullptr;
  return result;
}

void Dialog::EndDialog(std::intptr_t result) { window().EndDialog(result); }

bool Dialog::UpdateData(bool save_and_validate) {
  DataExchange dx(window(), save_and_validate);
  if (save_and_validate) {
    DoDataExchange(dx);
    return true;
  }
  ++showing_form_;
  DoDataExchange(dx);
  --showing_form_;
  return true;
}

void Dialog::MessageBox(std::u16string_view text) { window().MessageBox(text, kProgramName); }

void Dialog::Warn(std::u16string_view text) { window().Warn(text, kProgramName); }

bool Dialog::AskYesNo(std::u16string_view text) { return window().AskYesNo(text, kProgramName); }

std::size_t Dialog::AskChoice(std::u16string_view text, const std::vector<std::u16string>& buttons) {
  return window().AskChoice(text, kProgramName, buttons);
}

bool Dialog::HandleEvent(EventKind kind, int id, Notification& notification) {
  if (is_showing_form()) return false;
  if (DispatchEvent(kind, id, notification)) return true;
  if (kind == EventKind::Click && id == kIdOk) {
    OnOK();
    return true;
  }
  if (kind == EventKind::Click && id == kIdCancel) {
    OnCancel();
    return true;
  }
  return false;
}

bool Dialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void Dialog::DoDataExchange(DataExchange&) {}

bool Dialog::DispatchEvent(EventKind, int, Notification&) { return false; }

void Dialog::OnOK() {
  UpdateData(true);
  EndDialog(kIdOk);
}

void Dialog::OnCancel() { EndDialog(kIdCancel); }

DialogWindow& Dialog::window() const {
  // Touching controls of a dialog that is not on show is a programming error.
  if (window_ == nullptr) std::abort();
  return *window_;
}

}  // namespace fw
