#pragma once

#include "win32/windows_api.h"

#include "framework/controls.h"
#include "win32/wide_text.h"

namespace win32 {

class ListBox final : public fw::ListBox {
 public:
  explicit ListBox(HWND hwnd) : hwnd_(hwnd) {}

  int AddString(std::u16string_view text) override {
    const std::wstring item = Wide(text);
    return static_cast<int>(SendMessageW(hwnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str())));
  }
  int GetCount() const override { return static_cast<int>(SendMessageW(hwnd_, LB_GETCOUNT, 0, 0)); }
  std::u16string GetText(int index) const override {
    const LRESULT length = SendMessageW(hwnd_, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(hwnd_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return Utf16(text);
  }
  int GetCurSel() const override { return static_cast<int>(SendMessageW(hwnd_, LB_GETCURSEL, 0, 0)); }
  void SetCurSel(int index) override { SendMessageW(hwnd_, LB_SETCURSEL, index, 0); }

 private:
  HWND hwnd_;
};

}  // namespace win32
