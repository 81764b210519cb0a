#pragma once

#include "win32/windows_api.h"

#include "framework/controls.h"
#include "win32/system_time.h"

namespace win32 {

class MonthCalendar final : public fw::MonthCalendar {
 public:
  explicit MonthCalendar(HWND hwnd) : hwnd_(hwnd) {}

  fw::CalendarTime GetCurSel() const override {
    SYSTEMTIME st{};
    SendMessageW(hwnd_, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&st));
    return ToCalendarTime(st);
  }
  void SetCurSel(const fw::CalendarTime& date) override {
    const SYSTEMTIME st = ToSystemTime(date);
    SendMessageW(hwnd_, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&st));
  }
  void ShowWholeMonth() override;

 private:
  HWND hwnd_;
};

}  // namespace win32
