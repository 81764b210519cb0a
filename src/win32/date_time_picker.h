#pragma once

#include "win32/windows_api.h"

#include "framework/controls.h"
#include "win32/system_time.h"
#include "win32/wide_text.h"

namespace win32 {

class DateTimePicker final : public fw::DateTimePicker {
 public:
  explicit DateTimePicker(HWND hwnd) : hwnd_(hwnd) {}

  fw::CalendarTime GetTime() const override {
    SYSTEMTIME st{};
    SendMessageW(hwnd_, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
    return ToCalendarTime(st);
  }
  void SetTime(const fw::CalendarTime& time) override {
    const SYSTEMTIME st = ToSystemTime(time);
    SendMessageW(hwnd_, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
  }
  void SetFormat(std::u16string_view format) override {
    const std::wstring text = Wide(format);
    SendMessageW(hwnd_, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }

 private:
  HWND hwnd_;
};

}  // namespace win32
