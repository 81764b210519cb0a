#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/memory_window.h"
#include "framework/platform.h"

namespace headless {

// A dialog window kept in memory, as the program's own unattended run has
// it. Code of the dialog sets and reads controls through fw::DialogWindow;
// a test acts as the user through the methods below, which raise the
// notifications the platform would raise, and reads what the user was shown.
class Window : public fw::MemoryWindow {
 public:
  Window(fw::Dialog& dialog, fw::CalendarTime now) : MemoryWindow(dialog, now) {}

  // --- the user's actions ---
  void Type(int id, std::u16string_view text);
  void ClickButton(int id);
  void ClickCheckBox(int id);
  void ClickRadio(int first_id, int index);
  void SelectListItem(int id, int index);
  // Opens the drop-down list, picks an item and closes the list again.
  void PickComboItem(int id, int index);
  void ChangeTab(int id, int index);
  void PickDate(int id, const fw::CalendarTime& date);
  void EditTime(int id, const fw::CalendarTime& time);
  void PressSpin(int id, int delta);
  void PressEnter() { ClickButton(fw::kIdOk); }
  void PressEsc() { ClickButton(fw::kIdCancel); }
  void PressCloseButton();
  void Paint();
  void Minimize() { iconic_ = true; }
  // Any notification from any control, as a platform could send it; true
  // when a handler took it.
  bool Notify(fw::EventKind kind, int id);

  // --- what the user sees ---
  const std::vector<std::u16string>& message_boxes() const { return message_boxes_; }
  const std::vector<std::u16string>& message_box_captions() const { return captions_; }
  // Message boxes with a warning icon, the questions among them; each is
  // also among message_boxes().
  const std::vector<std::u16string>& warnings() const { return warnings_; }
  // How the user answers the questions to come, in turn; いいえ when none is left.
  void AnswerQuestions(std::vector<bool> answers) { answers_ = std::move(answers); }
  // The buttons of the last box that offered a choice, and how the user
  // answers those to come, in turn; the default button when none is left.
  const std::vector<std::u16string>& choice_buttons() const { return choice_buttons_; }
  void AnswerChoices(std::vector<std::size_t> choices) { choices_ = std::move(choices); }
  // The icons set, each with whether it was the big one.
  const std::vector<std::pair<fw::Icon, bool>>& icons_set() const { return icons_set_; }
  // Whether initialisation left the keyboard focus to the platform, which
  // puts it on the first control.
  bool default_focus() const { return default_focus_; }
  struct DrawnIcon {
    int resource_id;
    int x;
    int y;
  };
  const std::vector<DrawnIcon>& drawn_icons() const { return drawn_icons_; }
  int erased_backgrounds() const { return erased_backgrounds_; }
  bool date_time_format_is(int id, std::u16string_view format) { return date_time_format(id) == format; }

  // --- fw::DialogWindow ---
  void SetIcon(const fw::Icon& icon, bool big) override { icons_set_.emplace_back(icon, big); }
  std::unique_ptr<fw::PaintSession> BeginPaint() override;
  void MessageBox(std::u16string_view text, std::u16string_view caption) override;
  void Warn(std::u16string_view text, std::u16string_view caption) override;
  bool AskYesNo(std::u16string_view text, std::u16string_view caption) override;
  std::size_t AskChoice(std::u16string_view text, std::u16string_view caption,
                        const std::vector<std::u16string>& buttons) override;

 private:
  class Painter;

  fw::Notification RaiseWhileOpen(fw::EventKind kind, int id, int delta = 0);

  friend class Platform;
  std::vector<std::u16string> message_boxes_;
  std::vector<std::u16string> captions_;
  std::vector<std::u16string> warnings_;
  std::vector<bool> answers_;
  std::size_t answered_ = 0;
  std::vector<std::u16string> choice_buttons_;
  std::vector<std::size_t> choices_;
  std::size_t chosen_ = 0;
  std::vector<std::pair<fw::Icon, bool>> icons_set_;
  bool default_focus_ = false;
  std::vector<DrawnIcon> drawn_icons_;
  int erased_backgrounds_ = 0;
};

// Runs dialogs headlessly. A dialog shown with DoModal is answered by the
// next responder the test queued, which acts on it as a user would; with no
// responder queued the dialog is cancelled and counted.
class Platform : public fw::Platform {
 public:
  using Responder = std::function<void(Window&)>;

  explicit Platform(fw::CalendarTime now = {2026, 12, 2, 8, 21, 0, 0});
  ~Platform() override;

  // Opens a dialog without a modal loop, for the test to act on.
  std::unique_ptr<Window> Open(fw::Dialog& dialog);
  // A radio group that every window opened from now on has, first button first.
  void DeclareRadioGroup(std::vector<int> ids) { radio_groups_.push_back(std::move(ids)); }
  void RespondToNextModal(Responder responder) { responders_.push_back(std::move(responder)); }

  std::intptr_t RunModal(fw::Dialog& dialog) override;
  fw::Icon LoadIcon(int resource_id) override { return {resource_id, static_cast<std::uintptr_t>(resource_id)}; }

  int unanswered_modals() const { return unanswered_modals_; }
  const std::vector<int>& modal_templates() const { return modal_templates_; }

 private:
  std::unique_ptr<Window> MakeWindow(fw::Dialog& dialog) const;

  fw::CalendarTime now_;
  std::vector<std::vector<int>> radio_groups_;
  std::vector<Responder> responders_;
  std::vector<int> modal_templates_;
  int unanswered_modals_ = 0;
};

}  // namespace headless
