#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// Brisquet, the reservation viewer, as a user sees it: its list, the line
// under it, its buttons and its question before deleting.
class ViewerUnderTest {
 public:
  // The viewer once its window is on show, whoever started it.
  static ViewerUnderTest WaitFor(DWORD timeout_ms = 30000);
  ~ViewerUnderTest();
  ViewerUnderTest(ViewerUnderTest&& other) noexcept;
  ViewerUnderTest(const ViewerUnderTest&) = delete;
  ViewerUnderTest& operator=(const ViewerUnderTest&) = delete;
  ViewerUnderTest& operator=(ViewerUnderTest&&) = delete;

  // Brisquet.exe started by itself, once its window is on show.
  static ViewerUnderTest Start(const std::wstring& exe);

  HWND window() const { return window_; }
  std::wstring WakeNote() const;
  std::wstring DiskNote() const;
  // A click on a column's header; the arrow it shows: 1 up, -1 down, 0 none.
  void ClickHeader(int column);
  int SortArrow(int column) const;
  int ColumnWidth(int column) const;
  void SetColumnWidth(int column, int width);
  // The cells of every row, in the list's order.
  std::vector<std::vector<std::wstring>> Rows() const;
  // A cell of the row with that name.
  std::wstring Cell(const std::wstring& name, int column) const;
  // The row whose first cell (the name) is this, selected as a click would.
  void Select(const std::wstring& name);
  // The name of the selected row; empty for none.
  std::wstring SelectedName() const;
  std::wstring Note() const;
  void ClickLater(int id);
  // The viewer's question, answered with はい; its text.
  std::optional<std::wstring> AnswerYes(DWORD timeout_ms = 15000);
  // Waits until the list shows `count` rows.
  bool WaitForRowCount(std::size_t count, DWORD timeout_ms = 15000) const;
  void Close();
  bool WaitForExit(DWORD timeout_ms = 20000);

 private:
  ViewerUnderTest(HWND window, HANDLE process);
  HWND List() const;

  HWND window_;
  HANDLE process_;
};
