#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "win32/wide_text.h"
#include "win32/windows_api.h"

// The report-style list of reservations: columns, rows of texts, one
// or more selected rows, the sort arrow in the header.
class ListView {
 public:
  explicit ListView(HWND hwnd) : hwnd_(hwnd) {}

  // Whole rows selected, grid lines, and a cell too narrow for its text
  // shows all of it when the mouse rests on it.
  void SetUp() {
    ListView_SetExtendedListViewStyle(hwnd_,
                                      LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_INFOTIP | LVS_EX_LABELTIP);
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
  int ColumnWidth(int index) const { return ListView_GetColumnWidth(hwnd_, index); }
  // The arrow of the column the list is sorted by; none on the others.
  void ShowSortArrow(int sorted, bool descending, int columns) {
    const HWND header = ListView_GetHeader(hwnd_);
    for (int i = 0; i < columns; ++i) {
      HDITEMW item{};
      item.mask = HDI_FORMAT;
      Header_GetItem(header, i, &item);
      item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
      if (i == sorted) item.fmt |= descending ? HDF_SORTDOWN : HDF_SORTUP;
      Header_SetItem(header, i, &item);
    }
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
  std::vector<int> AllSelected() const {
    std::vector<int> rows;
    for (int row = Selected(); row >= 0; row = ListView_GetNextItem(hwnd_, row, LVNI_SELECTED)) rows.push_back(row);
    return rows;
  }
  // `row` alone selected, focused and in view.
  void Select(int row) {
    ListView_SetItemState(hwnd_, -1, 0, LVIS_SELECTED);
    ListView_SetItemState(hwnd_, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(hwnd_, row, FALSE);
  }
  // The top left of the row's bottom edge on the screen, where its menu opens.
  POINT MenuCorner(int row) const {
    RECT rect{};
    ListView_GetItemRect(hwnd_, row, &rect, LVIR_LABEL);
    POINT point{rect.left, rect.bottom};
    ClientToScreen(hwnd_, &point);
    return point;
  }
  int TopRow() const { return ListView_GetTopIndex(hwnd_); }
  // Scrolls so that `row` is the first one on show, as far as the list goes.
  void ScrollToTop(int row) {
    RECT first{};
    if (row <= 0 || !ListView_GetItemRect(hwnd_, 0, &first, LVIR_BOUNDS)) return;
    ListView_Scroll(hwnd_, 0, (row - TopRow()) * (first.bottom - first.top));
  }

 private:
  HWND hwnd_;
};

// The list is not drawn while it is filled, and once when it is full: a
// list drawn after every row takes seconds for a few hundred.
class RedrawPause {
 public:
  explicit RedrawPause(HWND hwnd) : hwnd_(hwnd) { SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0); }
  ~RedrawPause() {
    SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
  RedrawPause(const RedrawPause&) = delete;
  RedrawPause& operator=(const RedrawPause&) = delete;

 private:
  HWND hwnd_;
};
