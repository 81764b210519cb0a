#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "win32/wide_text.h"
#include "win32/windows_api.h"

// The report-style list of reservations, whose texts its parent gives as
// they are drawn: columns, the row count, one or more selected rows, the
// sort arrow in the header.
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
      const int was = item.fmt;
      item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
      if (i == sorted) item.fmt |= descending ? HDF_SORTDOWN : HDF_SORTUP;
      if (item.fmt != was) Header_SetItem(header, i, &item);
    }
  }
  // The list asks its parent for the texts of rows 0 to count - 1. A count
  // set on show redraws the scroll bar and moves the header there and then,
  // so the same count is not set again.
  void SetRowCount(int count) {
    if (ListView_GetItemCount(hwnd_) != count) ListView_SetItemCountEx(hwnd_, count, LVSICF_NOSCROLL);
    InvalidateRect(hwnd_, nullptr, FALSE);
  }
  int Selected() const { return ListView_GetNextItem(hwnd_, -1, LVNI_SELECTED); }
  std::vector<int> AllSelected() const {
    std::vector<int> rows;
    for (int row = Selected(); row >= 0; row = ListView_GetNextItem(hwnd_, row, LVNI_SELECTED)) rows.push_back(row);
    return rows;
  }
  void SelectNone() { ListView_SetItemState(hwnd_, -1, 0, LVIS_SELECTED); }
  // `row` selected, alone, focused and in view, or added to the selection.
  enum class Selection { Alone, Added };
  void Select(int row, Selection selection = Selection::Alone) {
    if (selection == Selection::Added) {
      ListView_SetItemState(hwnd_, row, LVIS_SELECTED, LVIS_SELECTED);
      return;
    }
    SelectNone();
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
