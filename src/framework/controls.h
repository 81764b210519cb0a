#pragma once

#include <string>
#include <string_view>

#include "framework/calendar_time.h"

namespace fw {

// The parts of each control kind that the dialogs use, addressed by control
// ID through DialogWindow. Indexes are 0-based; -1 means "no selection".

class TabControl {
 public:
  virtual ~TabControl() = default;
  virtual void InsertItem(int index, std::u16string_view text) = 0;
  virtual void DeleteItem(int index) = 0;
  virtual int GetItemCount() const = 0;
  virtual std::u16string GetItemText(int index) const = 0;
  virtual int GetCurSel() const = 0;
  virtual void SetCurSel(int index) = 0;
};

class ListBox {
 public:
  virtual ~ListBox() = default;
  virtual int AddString(std::u16string_view text) = 0;
  virtual int GetCount() const = 0;
  virtual std::u16string GetText(int index) const = 0;
  virtual int GetCurSel() const = 0;
  virtual void SetCurSel(int index) = 0;
};

class ComboBox {
 public:
  virtual ~ComboBox() = default;
  virtual int AddString(std::u16string_view text) = 0;
  virtual int GetCount() const = 0;
  virtual std::u16string GetLBText(int index) const = 0;
  virtual int GetCurSel() const = 0;
  virtual void SetCurSel(int index) = 0;
  // The platform's searches, without regard to case, starting after item
  // `start_after` and wrapping round (-1 searches from the top): for an item
  // that begins with `prefix`, and for one that equals `text`. Both return
  // -1 when no item matches, and an empty text matches none.
  virtual int FindString(int start_after, std::u16string_view prefix) const = 0;
  virtual int FindStringExact(int start_after, std::u16string_view text) const = 0;
};

class DateTimePicker {
 public:
  virtual ~DateTimePicker() = default;
  virtual CalendarTime GetTime() const = 0;
  virtual void SetTime(const CalendarTime& time) = 0;
  virtual void SetFormat(std::u16string_view format) = 0;
};

class MonthCalendar {
 public:
  virtual ~MonthCalendar() = default;
  virtual CalendarTime GetCurSel() const = 0;
  virtual void SetCurSel(const CalendarTime& date) = 0;
  // Makes room for a whole month, every day of it to be clicked.
  virtual void ShowWholeMonth() = 0;
};

}  // namespace fw
