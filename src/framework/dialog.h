#pragma once

#include <cstdint>
#include <string_view>

#include "framework/data_exchange.h"
#include "framework/dialog_window.h"
#include "framework/events.h"

namespace fw {

// A modal dialog built on a template: the stand-in for the platform
// framework's dialog class. Derived dialogs bind their values in
// DoDataExchange and route events through a message map (DispatchEvent).
class Dialog {
 public:
  explicit Dialog(int template_id) : template_id_(template_id) {}
  virtual ~Dialog() = default;
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  int template_id() const { return template_id_; }

  std::intptr_t DoModal();
  void EndDialog(std::intptr_t result);
  // true reads the controls into the bound values; false shows the values in
  // the controls. Showing raises no handler: the change notifications that
  // the platform sends while controls are being set are dropped.
  bool UpdateData(bool save_and_validate = true);
  // A modal message box with an OK button, no icon and the program's name as
  // its caption.
  void MessageBox(std::u16string_view text);
  // With a warning icon; and a warning that asks, いいえ the default.
  void Warn(std::u16string_view text);
  bool AskYesNo(std::u16string_view text);
  // With buttons of its own, the last the default: the index of the one pressed.
  std::size_t AskChoice(std::u16string_view text, const std::vector<std::u16string>& buttons);

  // Called by the backend.
  void Attach(DialogWindow* window) { window_ = window; }
  bool InitDialog() { return OnInitDialog(); }
  // Routes one event through the message map, falling back to the default
  // handling of OK and Cancel. False when nobody handled it.
  bool HandleEvent(EventKind kind, int id, Notification& notification);
  bool is_showing_form() const { return showing_form_ > 0; }

 protected:
  virtual bool OnInitDialog();
  virtual void DoDataExchange(DataExchange& dx);
  virtual bool DispatchEvent(EventKind kind, int id, Notification& notification);
  virtual void OnOK();
  virtual void OnCancel();

  DialogWindow& window() const;

 private:
  int template_id_;
  DialogWindow* window_ = nullptr;
  int showing_form_ = 0;
};

// The caption of every message box.
inline constexpr std::u16string_view kProgramName = u"Halvorn2";

}  // namespace fw
