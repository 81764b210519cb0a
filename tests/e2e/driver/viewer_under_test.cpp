#include "viewer_under_test.h"

#include <commctrl.h>

#include "brisquet_resource.h"
#include "program_windows.h"

namespace {

constexpr wchar_t kCaption[] = L"予約一覧";
constexpr int kColumns = 9;

struct TextBuffer {
  wchar_t text[1024];
};

struct OtherWindowSearch {
  DWORD process_id;
  HWND except;
  HWND found;
};

// A dialog of the viewer's process other than its main window: the question.
BOOL CALLBACK MatchQuestion(HWND window, LPARAM lparam) {
  auto* search = reinterpret_cast<OtherWindowSearch*>(lparam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t class_name[64] = {};
  GetClassNameW(window, class_name, 64);
  if (owner != search->process_id || window == search->except || !IsWindowVisible(window) ||
      lstrcmpW(class_name, L"#32770") != 0) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

}  // namespace

ViewerUnderTest ViewerUnderTest::WaitFor(DWORD timeout_ms) {
  for (DWORD waited = 0; waited < timeout_ms; waited += 100) {
    if (HWND found = FindTopLevel(0, kCaption)) {
      SendAndWait(found, WM_NULL, 0, 0);
      DWORD process_id = 0;
      GetWindowThreadProcessId(found, &process_id);
      HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, process_id);
      if (process == nullptr) throw Failure{L"cannot reach the viewer's process"};
      return ViewerUnderTest(found, process);
    }
    Sleep(100);
  }
  throw Failure{L"no window \"予約一覧\""};
}

ViewerUnderTest::ViewerUnderTest(HWND window, HANDLE process) : window_(window), process_(process) {}

ViewerUnderTest::ViewerUnderTest(ViewerUnderTest&& other) noexcept : window_(other.window_), process_(other.process_) {
  other.process_ = nullptr;
}

ViewerUnderTest::~ViewerUnderTest() {
  if (process_ == nullptr) return;
  if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_, 99);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
}

HWND ViewerUnderTest::List() const { return GetDlgItem(window_, IDC_RESERVATIONS); }

std::vector<std::vector<std::wstring>> ViewerUnderTest::Rows() const {
  const HWND list = List();
  const int count = static_cast<int>(SendAndWait(list, LVM_GETITEMCOUNT, 0, 0));
  std::vector<std::vector<std::wstring>> rows;
  RemoteValue<TextBuffer> buffer(process_, TextBuffer{});
  for (int row = 0; row < count; ++row) {
    std::vector<std::wstring>& cells = rows.emplace_back();
    for (int column = 0; column < kColumns; ++column) {
      LVITEMW item{};
      item.iSubItem = column;
      item.pszText = reinterpret_cast<LPWSTR>(buffer.address());
      item.cchTextMax = 1024;
      RemoteValue<LVITEMW> remote_item(process_, item);
      SendAndWait(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), remote_item.address());
      cells.push_back(buffer.Read().text);
    }
  }
  return rows;
}

std::wstring ViewerUnderTest::SelectedName() const {
  const auto row = SendAndWait(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
  const auto rows = Rows();
  return row >= 0 && static_cast<std::size_t>(row) < rows.size() ? rows[static_cast<std::size_t>(row)][0] : L"";
}

void ViewerUnderTest::Select(const std::wstring& name) {
  const auto rows = Rows();
  for (std::size_t row = 0; row < rows.size(); ++row) {
    if (rows[row][0] != name) continue;
    // As a click does, the row alone.
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED;
    RemoteValue<LVITEMW> remote_none(process_, none);
    SendAndWait(List(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), remote_none.address());
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    RemoteValue<LVITEMW> remote_item(process_, item);
    SendAndWait(List(), LVM_SETITEMSTATE, row, remote_item.address());
    return;
  }
  throw Failure{L"no row " + name};
}

std::wstring ViewerUnderTest::Note() const { return WindowText(GetDlgItem(window_, IDC_COLLISION_NOTE)); }

void ViewerUnderTest::ClickLater(int id) { PostMessageW(GetDlgItem(window_, id), BM_CLICK, 0, 0); }

ViewerUnderTest ViewerUnderTest::Start(const std::wstring& exe) {
  const PROCESS_INFORMATION started = StartProgram(exe, L"");
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return WaitFor();
}

std::wstring ViewerUnderTest::WakeNote() const { return WindowText(GetDlgItem(window_, IDC_WAKE_NOTE)); }

std::wstring ViewerUnderTest::DiskNote() const { return WindowText(GetDlgItem(window_, IDC_DISK_NOTE)); }

std::wstring ViewerUnderTest::Cell(const std::wstring& name, int column) const {
  for (const auto& row : Rows()) {
    if (row[0] == name) return row[static_cast<std::size_t>(column)];
  }
  return L"(no row " + name + L")";
}

void ViewerUnderTest::ClickHeader(int column) {
  const HWND header = reinterpret_cast<HWND>(SendAndWait(List(), LVM_GETHEADER, 0, 0));
  RemoteValue<RECT> rect(process_, RECT{});
  SendAndWait(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), rect.address());
  const RECT r = rect.Read();
  const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  PostMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(header, WM_LBUTTONUP, 0, at);
  SendAndWait(window_, WM_NULL, 0, 0);
}

int ViewerUnderTest::SortArrow(int column) const {
  const HWND header = reinterpret_cast<HWND>(SendAndWait(List(), LVM_GETHEADER, 0, 0));
  HDITEMW item{};
  item.mask = HDI_FORMAT;
  RemoteValue<HDITEMW> remote(process_, item);
  SendAndWait(header, HDM_GETITEMW, static_cast<WPARAM>(column), remote.address());
  const int format = remote.Read().fmt;
  return (format & HDF_SORTUP) != 0 ? 1 : (format & HDF_SORTDOWN) != 0 ? -1 : 0;
}

int ViewerUnderTest::ColumnWidth(int column) const {
  return static_cast<int>(SendAndWait(List(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

void ViewerUnderTest::SetColumnWidth(int column, int width) {
  SendAndWait(List(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0));
}

std::optional<std::wstring> ViewerUnderTest::AnswerYes(DWORD timeout_ms) {
  DWORD process_id = 0;
  GetWindowThreadProcessId(window_, &process_id);
  for (DWORD waited = 0; waited < timeout_ms; waited += 50) {
    OtherWindowSearch search{process_id, window_, nullptr};
    EnumWindows(MatchQuestion, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) {
      HWND text = GetDlgItem(search.found, 0xFFFF);
      const std::wstring message = text != nullptr ? WindowText(text) : std::wstring();
      PostMessageW(GetDlgItem(search.found, IDYES), BM_CLICK, 0, 0);
      for (int i = 0; i < 200 && IsWindow(search.found); ++i) Sleep(50);
      return message;
    }
    Sleep(50);
  }
  return std::nullopt;
}

bool ViewerUnderTest::WaitForRowCount(std::size_t count, DWORD timeout_ms) const {
  for (DWORD waited = 0; waited < timeout_ms; waited += 100) {
    if (static_cast<std::size_t>(SendAndWait(List(), LVM_GETITEMCOUNT, 0, 0)) == count) return true;
    Sleep(100);
  }
  return false;
}

void ViewerUnderTest::Close() { PostMessageW(window_, WM_CLOSE, 0, 0); }

bool ViewerUnderTest::WaitForExit(DWORD timeout_ms) {
  return WaitForSingleObject(process_, timeout_ms) == WAIT_OBJECT_0;
}
