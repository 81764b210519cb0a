#pragma once

#include <string>
#include <string_view>

#include "win32/wide_text.h"
#include "win32/windows_api.h"

// The report-style list of reservations: columns, rows of texts, one
// selected row.
class ListView {
 public:
  explicit ListView(HWND hwnd) : hwnd_(hwnd) {
    ListView_SetExtendedListViewStyle(hwnd_, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  }

  void AddColumn(int index, std::u16string_view caption, int width) {
    std::wstring text = win32::Wide(caption);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = text.data();
    column.cx = width;
    column.iSubItem = index;
    ListView_InsertColumn(hwnd_, index, &column);
  }
  void Clear() { ListView_DeleteAllItems(hwnd_); }
  void SetCell(int row, int column, std::u16string_view value) {
    std::wstring text = win32::Wide(value);
    if (column == 0) {
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = row;
      item.pszText = text.data();
      ListView_InsertItem(hwnd_, &item);
    } else {
      ListView_SetItemText(hwnd_, row, column, text.data());
    }
  }
  int Selected() const { return ListView_GetNextItem(hwnd_, -1, LVNI_SELECTED); }
  void Select(int row) {
    ListView_SetItemState(hwnd_, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(hwnd_, row, FALSE);
  }

 private:
  HWND hwnd_;
};
