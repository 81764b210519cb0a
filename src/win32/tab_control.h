#pragma once

#include "win32/windows_api.h"

#include "framework/controls.h"
#include "win32/wide_text.h"

namespace win32 {

class TabControl final : public fw::TabControl {
 public:
  explicit TabControl(HWND hwnd) : hwnd_(hwnd) {}

  void InsertItem(int index, std::u16string_view text) override {
    std::wstring caption = Wide(text);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(hwnd_, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item));
  }
  void DeleteItem(int index) override { SendMessageW(hwnd_, TCM_DELETEITEM, index, 0); }
  int GetItemCount() const override { return static_cast<int>(SendMessageW(hwnd_, TCM_GETITEMCOUNT, 0, 0)); }
  std::u16string GetItemText(int index) const override {
    wchar_t buffer[256] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = 256;
    SendMessageW(hwnd_, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(&item));
    return Utf16(buffer);
  }
  int GetCurSel() const override { return static_cast<int>(SendMessageW(hwnd_, TCM_GETCURSEL, 0, 0)); }
  void SetCurSel(int index) override { SendMessageW(hwnd_, TCM_SETCURSEL, index, 0); }

 private:
  HWND hwnd_;
};

}  // namespace win32
