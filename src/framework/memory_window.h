#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/dialog.h"

namespace fw {

// A dialog window whose controls live in memory and behave as the
// platform's do: an edit whose text is set from code reports a change,
// lists keep their order and search without regard to case, the pickers
// and the calendar start at the moment the window is made. What it shows
// the user (message boxes, questions) is left to what derives from it.
class MemoryWindow : public DialogWindow {
 public:
  MemoryWindow(Dialog& dialog, CalendarTime now);
  ~MemoryWindow() override;

  // Declares the buttons of a radio group, first one first, as the
  // platform learns them from the dialog's template.
  void DeclareRadioGroup(std::vector<int> ids);
  // The ID of a group's button at `index`.
  int RadioButton(int first_id, int index) const { return radio_groups_.at(first_id).at(static_cast<size_t>(index)); }
  // Any notification from any control, as the platform raises it.
  Notification Raise(EventKind kind, int id, int delta = 0);

  bool ended() const { return ended_; }
  std::intptr_t result() const { return result_; }
  int handled_events() const { return handled_events_; }
  const std::u16string& date_time_format(int id);

  // --- DialogWindow ---
  std::u16string GetText(int id) const override;
  void SetText(int id, std::u16string_view text) override;
  int GetCheck(int id) const override;
  void SetCheck(int id, int state) override;
  int GetRadioIndex(int first_id) const override;
  void SetRadioIndex(int first_id, int index) override;
  TabControl& Tab(int id) override;
  ListBox& List(int id) override;
  ComboBox& Combo(int id) override;
  DateTimePicker& DateTime(int id) override;
  MonthCalendar& Calendar(int id) override;
  void SetIcon(const Icon& icon, bool big) override;
  bool IsIconic() const override { return iconic_; }
  Size ClientSize() const override { return {566, 554}; }
  Size SystemIconSize() const override { return {32, 32}; }
  std::unique_ptr<PaintSession> BeginPaint() override;
  void EndDialog(std::intptr_t result) override;

 protected:
  bool iconic_ = false;

 private:
  class Tabs;
  class Items;
  class Picker;
  class MonthView;
  template <class Control>
  Control& Get(std::map<int, std::unique_ptr<Control>>& controls, int id);

  Dialog& dialog_;
  CalendarTime now_;
  std::map<int, std::u16string> texts_;
  std::map<int, int> checks_;
  std::map<int, std::vector<int>> radio_groups_;
  std::map<int, std::unique_ptr<Tabs>> tabs_;
  std::map<int, std::unique_ptr<Items>> lists_;
  std::map<int, std::unique_ptr<Items>> combos_;
  std::map<int, std::unique_ptr<Picker>> pickers_;
  std::map<int, std::unique_ptr<MonthView>> calendars_;
  int handled_events_ = 0;
  bool ended_ = false;
  std::intptr_t result_ = 0;
};

}  // namespace fw
