#include "app_under_test.h"

#include <commctrl.h>

#include <cstdio>

#include "png_writer.h"
#include "program_windows.h"

namespace {
constexpr DWORD kPollMs = 50;
// Windows are looked for more often, so that the timing of a start is not
// rounded to the poll.
constexpr DWORD kWindowPollMs = 10;
}  // namespace

LRESULT SendAndWait(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR result = 0;
  if (SendMessageTimeoutW(window, message, wparam, lparam, SMTO_NORMAL, kSendTimeoutMs, &result) == 0) {
    throw Failure{L"the program did not answer message 0x" + std::to_wstring(message) + L" (error " +
                  std::to_wstring(GetLastError()) + L")"};
  }
  return static_cast<LRESULT>(result);
}

namespace {

struct WindowSearch {
  DWORD process_id;
  const wchar_t* caption;
  HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM lparam) {
  auto* search = reinterpret_cast<WindowSearch*>(lparam);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if ((search->process_id != 0 && owner != search->process_id) || !IsWindowVisible(window)) return TRUE;
  wchar_t class_name[64] = {};
  GetClassNameW(window, class_name, 64);
  if (lstrcmpW(class_name, L"#32770") != 0) return TRUE;
  wchar_t caption[256] = {};
  GetWindowTextW(window, caption, 256);
  if (lstrcmpW(caption, search->caption) != 0) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

HWND FindTopLevel(DWORD process_id, const wchar_t* caption) {
  WindowSearch search{process_id, caption, nullptr};
  EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

PROCESS_INFORMATION StartProgram(const std::wstring& exe, const std::wstring& arguments) {
  std::wstring command_line = L"\"" + exe + L"\"";
  if (!arguments.empty()) command_line += L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  for (int attempt = 1;; ++attempt) {
    if (CreateProcessW(exe.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &started)) {
      return started;
    }
    const DWORD error = GetLastError();
    if (attempt == 5) throw Failure{L"cannot start " + exe + L" (error " + std::to_wstring(error) + L")"};
    std::printf("note: starting the program failed with error %lu, trying again\n", error);
    Sleep(500);
  }
}

AppUnderTest::AppUnderTest(const std::wstring& exe, const std::wstring& arguments)
    : process_(StartProgram(exe, arguments)) {}

AppUnderTest::AppUnderTest(HWND dialog) : dialog_(dialog) {
  GetWindowThreadProcessId(dialog, &process_.dwProcessId);
  process_.hProcess = OpenProcess(PROCESS_ALL_ACCESS, FALSE, process_.dwProcessId);
  if (process_.hProcess == nullptr) throw Failure{L"cannot reach the program of a window"};
}

AppUnderTest::~AppUnderTest() {
  if (Running()) {
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
  }
  if (process_.hThread != nullptr) CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

HWND AppUnderTest::WaitForDialog(const wchar_t* caption, DWORD timeout_ms) {
  for (DWORD waited = 0; waited < timeout_ms; waited += kWindowPollMs) {
    if (HWND found = FindTopLevel(process_.dwProcessId, caption)) {
      // Let the dialog finish its first paint before acting on it.
      SendAndWait(found, WM_NULL, 0, 0);
      dialog_ = found;
      return found;
    }
    if (!Running()) break;
    Sleep(kWindowPollMs);
  }
  throw Failure{std::wstring(L"no window \"") + caption + L"\""};
}

HWND AppUnderTest::Control(int id) const {
  HWND control = GetDlgItem(dialog_, id);
  if (control == nullptr) throw Failure{L"no control " + std::to_wstring(id)};
  return control;
}

std::wstring AppUnderTest::Text(int id) const {
  HWND control = Control(id);
  const auto length = SendAndWait(control, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const auto copied = SendAndWait(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(copied));
  return text;
}

void AppUnderTest::Type(int id, const std::wstring& text) {
  SendAndWait(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void AppUnderTest::Click(int id) { SendAndWait(Control(id), BM_CLICK, 0, 0); }

void AppUnderTest::ClickLater(int id) { PostMessageW(Control(id), BM_CLICK, 0, 0); }

bool AppUnderTest::Checked(int id) const { return SendAndWait(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void AppUnderTest::SetChecked(int id, bool checked) {
  if (Checked(id) != checked) Click(id);
}

void AppUnderTest::KeyPress(int id, WORD virtual_key) {
  HWND control = Control(id);
  PostMessageW(control, WM_KEYDOWN, virtual_key, 1);
  PostMessageW(control, WM_KEYUP, virtual_key, 0xC0000001);
  // The keys are queued; a sent message is handled only after the queue has
  // been read up to the point where the dialog waits again.
  Sleep(300);
  SendAndWait(dialog_, WM_NULL, 0, 0);
}

SYSTEMTIME AppUnderTest::PickerTime(int id) const {
  RemoteValue<SYSTEMTIME> remote(process_.hProcess, SYSTEMTIME{});
  SendAndWait(Control(id), DTM_GETSYSTEMTIME, 0, remote.address());
  return remote.Read();
}

void AppUnderTest::SetPickerTime(int id, const SYSTEMTIME& time) {
  RemoteValue<SYSTEMTIME> value(process_.hProcess, time);
  SendAndWait(Control(id), DTM_SETSYSTEMTIME, GDT_VALID, value.address());
}

SYSTEMTIME AppUnderTest::CalendarDate(int id) const {
  RemoteValue<SYSTEMTIME> remote(process_.hProcess, SYSTEMTIME{});
  SendAndWait(Control(id), MCM_GETCURSEL, 0, remote.address());
  return remote.Read();
}

namespace {
struct TextBuffer {
  wchar_t text[512];
};
}  // namespace

int AppUnderTest::TabCount(int id) const { return static_cast<int>(SendAndWait(Control(id), TCM_GETITEMCOUNT, 0, 0)); }

int AppUnderTest::TabSelection(int id) const { return static_cast<int>(SendAndWait(Control(id), TCM_GETCURSEL, 0, 0)); }

std::wstring AppUnderTest::TabText(int id, int index) const {
  RemoteValue<TextBuffer> buffer(process_.hProcess, TextBuffer{});
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = reinterpret_cast<LPWSTR>(buffer.address());
  item.cchTextMax = 512;
  RemoteValue<TCITEMW> remote_item(process_.hProcess, item);
  SendAndWait(Control(id), TCM_GETITEMW, static_cast<WPARAM>(index), remote_item.address());
  return buffer.Read().text;
}

void AppUnderTest::ClickTab(int id, int index) {
  HWND tabs = Control(id);
  RemoteValue<RECT> rect(process_.hProcess, RECT{});
  SendAndWait(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), rect.address());
  const RECT r = rect.Read();
  const LPARAM point = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  PostMessageW(tabs, WM_LBUTTONDOWN, MK_LBUTTON, point);
  PostMessageW(tabs, WM_LBUTTONUP, 0, point);
  Sleep(300);
  SendAndWait(dialog_, WM_NULL, 0, 0);
}

std::vector<std::wstring> AppUnderTest::ComboItems(int id) const {
  std::vector<std::wstring> items;
  HWND combo = Control(id);
  const int count = static_cast<int>(SendAndWait(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    // The platform carries this one's text across processes itself.
    const auto length = SendAndWait(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendAndWait(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    items.push_back(text);
  }
  return items;
}

int AppUnderTest::ComboSelection(int id) const {
  return static_cast<int>(SendAndWait(Control(id), CB_GETCURSEL, 0, 0));
}

HWND AppUnderTest::WaitForOtherDialog(const wchar_t* caption, DWORD timeout_ms) {
  for (DWORD waited = 0; waited < timeout_ms; waited += kPollMs) {
    if (HWND found = FindTopLevel(process_.dwProcessId, caption)) return found;
    Sleep(kPollMs);
  }
  throw Failure{std::wstring(L"no window \"") + caption + L"\""};
}

void AppUnderTest::TypeIn(HWND dialog, int id, const std::wstring& text) {
  SendAndWait(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void AppUnderTest::ClickLaterIn(HWND dialog, int id) { PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

HWND AppUnderTest::FindMessageBox() const { return FindTopLevel(process_.dwProcessId, L"Halvorn2"); }

bool AppUnderTest::HasMessageBox() const { return FindMessageBox() != nullptr; }

std::optional<std::wstring> AppUnderTest::AnswerMessageBox(DWORD timeout_ms) {
  return PressInMessageBox(0, timeout_ms);
}

std::optional<std::wstring> AppUnderTest::AnswerQuestion(bool yes, DWORD timeout_ms) {
  return PressInMessageBox(yes ? IDYES : IDNO, timeout_ms);
}

std::optional<std::wstring> AppUnderTest::PressInMessageBox(int button_id, DWORD timeout_ms) {
  for (DWORD waited = 0; waited < timeout_ms; waited += kPollMs) {
    if (HWND box = FindMessageBox()) {
      HWND text = GetDlgItem(box, 0xFFFF);
      std::wstring message = text != nullptr ? WindowText(text) : std::wstring();
      HWND button = button_id != 0 ? GetDlgItem(box, button_id) : FindWindowExW(box, nullptr, L"Button", nullptr);
      PostMessageW(button, BM_CLICK, 0, 0);
      for (int i = 0; i < 200 && IsWindow(box); ++i) Sleep(kPollMs);
      return message;
    }
    if (!Running()) break;
    Sleep(kPollMs);
  }
  return std::nullopt;
}

std::optional<AppUnderTest::ChoiceBox> AppUnderTest::AnswerChoice(const std::wstring& press,
                                                                  const std::wstring& picture, DWORD timeout_ms) {
  for (DWORD waited = 0; waited < timeout_ms; waited += kPollMs) {
    HWND box = FindMessageBox();
    if (box == nullptr) {
      if (!Running()) break;
      Sleep(kPollMs);
      continue;
    }
    Sleep(300);  // laid out and painted
    ChoiceBox seen;
    HWND pressed = nullptr;
    for (HWND child = FindWindowExW(box, nullptr, nullptr, nullptr); child != nullptr;
         child = FindWindowExW(box, child, nullptr, nullptr)) {
      wchar_t kind[32] = {};
      GetClassNameW(child, kind, 32);
      const std::wstring text = WindowText(child);
      if (lstrcmpiW(kind, L"Button") == 0) {
        seen.buttons.push_back(text);
        if (text == press) pressed = child;
      } else if (!text.empty()) {
        seen.text += text + L"\n";
      }
    }
    if (!picture.empty()) SaveWindowAsPng(box, picture);
    if (pressed != nullptr) PostMessageW(pressed, BM_CLICK, 0, 0);
    for (int i = 0; i < 200 && IsWindow(box) && pressed != nullptr; ++i) Sleep(kPollMs);
    return seen;
  }
  return std::nullopt;
}

void AppUnderTest::PressCloseButton() { PostMessageW(dialog_, WM_SYSCOMMAND, SC_CLOSE, 0); }

std::optional<DWORD> AppUnderTest::WaitForExit(DWORD timeout_ms) {
  if (WaitForSingleObject(process_.hProcess, timeout_ms) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

bool AppUnderTest::Running() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

void Expect(bool condition, const std::wstring& what) {
  if (!condition) throw Failure{what};
}

void ExpectEqual(const std::wstring& actual, const std::wstring& expected, const std::wstring& what) {
  if (actual != expected) throw Failure{what + L": expected [" + expected + L"], got [" + actual + L"]"};
}

std::wstring Utf16FromUtf8(const char* text) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), length);
  wide.resize(static_cast<size_t>(length > 0 ? length - 1 : 0));
  return wide;
}

std::string Utf8(const std::wstring& text) {
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, narrow.data(), length, nullptr, nullptr);
  narrow.resize(static_cast<size_t>(length > 0 ? length - 1 : 0));
  return narrow;
}
