#pragma once

#include "win32/windows_api.h"

#include "framework/controls.h"
#include "win32/wide_text.h"

namespace win32 {

class ComboBox final : public fw::ComboBox {
 public:
  explicit ComboBox(HWND hwnd) : hwnd_(hwnd) {}

  int AddString(std::u16string_view text) override {
    const std::wstring item = Wide(text);
    return static_cast<int>(SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str())));
  }
  int GetCount() const override { return static_cast<int>(SendMessageW(hwnd_, CB_GETCOUNT, 0, 0)); }
  std::u16string GetLBText(int index) const override {
    const LRESULT length = SendMessageW(hwnd_, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(hwnd_, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return Utf16(text);
  }
  int GetCurSel() const override { return static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0)); }
  void SetCurSel(int index) override { SendMessageW(hwnd_, CB_SETCURSEL, index, 0); }
  int FindString(int start_after, std::u16string_view prefix) const override {
    return Find(CB_FINDSTRING, start_after, prefix);
  }
  int FindStringExact(int start_after, std::u16string_view text) const override {
    return Find(CB_FINDSTRINGEXACT, start_after, text);
  }

 private:
  int Find(UINT message, int start_after, std::u16string_view text) const {
    const std::wstring wide = Wide(text);
    const LRESULT found = SendMessageW(hwnd_, message, start_after, reinterpret_cast<LPARAM>(wide.c_str()));
    return found == CB_ERR ? -1 : static_cast<int>(found);
  }

  HWND hwnd_;
};

}  // namespace win32
