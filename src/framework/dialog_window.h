#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/controls.h"

namespace fw {

// An icon resource as the backend loaded it; the handle means something only
// to that backend.
struct Icon {
  int resource_id = 0;
  std::uintptr_t handle = 0;
};

struct Size {
  int width = 0;
  int height = 0;
};

// Painting between the platform's begin and end of a paint.
class PaintSession {
 public:
  virtual ~PaintSession() = default;
  virtual void EraseIconBackground() = 0;
  virtual void DrawIcon(const Icon& icon, int x, int y) = 0;
};

// A dialog window as it is on show: its controls by ID and the few window
// operations the dialogs need. Each backend supplies one.
class DialogWindow {
 public:
  virtual ~DialogWindow() = default;

  virtual std::u16string GetText(int id) const = 0;
  virtual void SetText(int id, std::u16string_view text) = 0;
  virtual int GetCheck(int id) const = 0;
  virtual void SetCheck(int id, int state) = 0;
  // The radio group that starts with `first_id`: index of the checked
  // button, -1 when none is checked.
  virtual int GetRadioIndex(int first_id) const = 0;
  virtual void SetRadioIndex(int first_id, int index) = 0;

  virtual TabControl& Tab(int id) = 0;
  virtual ListBox& List(int id) = 0;
  virtual ComboBox& Combo(int id) = 0;
  virtual DateTimePicker& DateTime(int id) = 0;
  virtual MonthCalendar& Calendar(int id) = 0;

  virtual void SetIcon(const Icon& icon, bool big) = 0;
  virtual bool IsIconic() const = 0;
  virtual Size ClientSize() const = 0;
  virtual Size SystemIconSize() const = 0;
  virtual std::unique_ptr<PaintSession> BeginPaint() = 0;

  // A modal message box with an OK button and no icon.
  virtual void MessageBox(std::u16string_view text, std::u16string_view caption) = 0;
  // The same with a warning icon.
  virtual void Warn(std::u16string_view text, std::u16string_view caption) = 0;
  // A warning that asks: はい and いいえ, with いいえ the default. True for はい.
  virtual bool AskYesNo(std::u16string_view text, std::u16string_view caption) = 0;
  // A warning answered with one of `buttons`, the last of them the default,
  // also when the box is closed: the index of the button pressed.
  virtual std::size_t AskChoice(std::u16string_view text, std::u16string_view caption,
                                const std::vector<std::u16string>& buttons) = 0;
  virtual void EndDialog(std::intptr_t result) = 0;
};

}  // namespace fw
