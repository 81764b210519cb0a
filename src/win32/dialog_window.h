#pragma once

#include "win32/windows_api.h"

#include <map>
#include <memory>

#include "framework/dialog_window.h"
#include "win32/combo_box.h"
#include "win32/date_time_picker.h"
#include "win32/list_box.h"
#include "win32/month_calendar.h"
#include "win32/tab_control.h"

namespace win32 {

// A dialog created by the dialog manager from its template, seen through the
// framework's window interface.
class DialogWindow final : public fw::DialogWindow {
 public:
  explicit DialogWindow(HWND hwnd) : hwnd_(hwnd) {}
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;

  HWND hwnd() const { return hwnd_; }

  std::u16string GetText(int id) const override;
  void SetText(int id, std::u16string_view text) override;
  int GetCheck(int id) const override;
  void SetCheck(int id, int state) override;
  int GetRadioIndex(int first_id) const override;
  void SetRadioIndex(int first_id, int index) override;

  fw::TabControl& Tab(int id) override { return Wrap(tabs_, id); }
  fw::ListBox& List(int id) override { return Wrap(lists_, id); }
  fw::ComboBox& Combo(int id) override { return Wrap(combos_, id); }
  fw::DateTimePicker& DateTime(int id) override { return Wrap(pickers_, id); }
  fw::MonthCalendar& Calendar(int id) override { return Wrap(calendars_, id); }

  void SetIcon(const fw::Icon& icon, bool big) override;
  bool IsIconic() const override { return ::IsIconic(hwnd_) != FALSE; }
  fw::Size ClientSize() const override;
  fw::Size SystemIconSize() const override;
  std::unique_ptr<fw::PaintSession> BeginPaint() override;

  void MessageBox(std::u16string_view text, std::u16string_view caption) override;
  void Warn(std::u16string_view text, std::u16string_view caption) override;
  bool AskYesNo(std::u16string_view text, std::u16string_view caption) override;
  std::size_t AskChoice(std::u16string_view text, std::u16string_view caption,
                        const std::vector<std::u16string>& buttons) override;
  void EndDialog(std::intptr_t result) override { ::EndDialog(hwnd_, result); }

 private:
  template <class Control>
  Control& Wrap(std::map<int, std::unique_ptr<Control>>& controls, int id) {
    auto& control = controls[id];
    if (!control) control = std::make_unique<Control>(GetDlgItem(hwnd_, id));
    return *control;
  }
  // The buttons of the radio group that starts with `first_id`, in order.
  template <class Visit>
  void ForEachRadio(int first_id, Visit visit) const;

  HWND hwnd_;
  std::map<int, std::unique_ptr<TabControl>> tabs_;
  std::map<int, std::unique_ptr<ListBox>> lists_;
  std::map<int, std::unique_ptr<ComboBox>> combos_;
  std::map<int, std::unique_ptr<DateTimePicker>> pickers_;
  std::map<int, std::unique_ptr<MonthCalendar>> calendars_;
};

}  // namespace win32
