#include "win32/dialog_window.h"

#include "win32/task_dialog.h"
#include "win32/wide_text.h"

namespace win32 {

namespace {

// Begin and end of one WM_PAINT, with the two drawing calls the minimized
// dialog needs.
class PaintSession final : public fw::PaintSession {
 public:
  explicit PaintSession(HWND hwnd) : hwnd_(hwnd), dc_(::BeginPaint(hwnd, &paint_)) {}
  ~PaintSession() override { ::EndPaint(hwnd_, &paint_); }
  PaintSession(const PaintSession&) = delete;
  PaintSession& operator=(const PaintSession&) = delete;

  void EraseIconBackground() override { SendMessageW(hwnd_, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc_), 0); }
  void DrawIcon(const fw::Icon& icon, int x, int y) override {
    ::DrawIcon(dc_, x, y, reinterpret_cast<HICON>(icon.handle));
  }

 private:
  HWND hwnd_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

bool IsRadioButton(HWND control) {
  const LONG_PTR kind = GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
  return kind == BS_AUTORADIOBUTTON || kind == BS_RADIOBUTTON;
}

}  // namespace

std::u16string DialogWindow::GetText(int id) const {
  const HWND control = GetDlgItem(hwnd_, id);
  const int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(control, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return Utf16(text);
}

void DialogWindow::SetText(int id, std::u16string_view text) { SetDlgItemTextW(hwnd_, id, Wide(text).c_str()); }

int DialogWindow::GetCheck(int id) const { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED ? 1 : 0; }

void DialogWindow::SetCheck(int id, int state) { CheckDlgButton(hwnd_, id, state != 0 ? BST_CHECKED : BST_UNCHECKED); }

// A radio group runs from its first button up to the next control that
// starts a group, as the dialog manager sees it.
template <class Visit>
void DialogWindow::ForEachRadio(int first_id, Visit visit) const {
  HWND button = GetDlgItem(hwnd_, first_id);
  for (int index = 0; button != nullptr && IsRadioButton(button); ++index) {
    visit(button, index);
    button = GetWindow(button, GW_HWNDNEXT);
    if (button != nullptr && (GetWindowLongPtrW(button, GWL_STYLE) & WS_GROUP) != 0) break;
  }
}

int DialogWindow::GetRadioIndex(int first_id) const {
  int checked = -1;
  ForEachRadio(first_id, [&](HWND button, int index) {
    if (checked < 0 && SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED) checked = index;
  });
  return checked;
}

void DialogWindow::SetRadioIndex(int first_id, int index) {
  ForEachRadio(first_id, [&](HWND button, int i) {
    SendMessageW(button, BM_SETCHECK, i == index ? BST_CHECKED : BST_UNCHECKED, 0);
  });
}

void DialogWindow::SetIcon(const fw::Icon& icon, bool big) {
  SendMessageW(hwnd_, WM_SETICON, big ? ICON_BIG : ICON_SMALL, static_cast<LPARAM>(icon.handle));
}

fw::Size DialogWindow::ClientSize() const {
  RECT rect{};
  GetClientRect(hwnd_, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

fw::Size DialogWindow::SystemIconSize() const { return {GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)}; }

std::unique_ptr<fw::PaintSession> DialogWindow::BeginPaint() { return std::make_unique<PaintSession>(hwnd_); }

void DialogWindow::MessageBox(std::u16string_view text, std::u16string_view caption) {
  ::MessageBoxW(hwnd_, Wide(text).c_str(), Wide(caption).c_str(), MB_OK);
}

void DialogWindow::Warn(std::u16string_view text, std::u16string_view caption) {
  ::MessageBoxW(hwnd_, Wide(text).c_str(), Wide(caption).c_str(), MB_OK | MB_ICONWARNING);
}

bool DialogWindow::AskYesNo(std::u16string_view text, std::u16string_view caption) {
  return ::MessageBoxW(hwnd_, Wide(text).c_str(), Wide(caption).c_str(), MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) ==
         IDYES;
}

std::size_t DialogWindow::AskChoice(std::u16string_view text, std::u16string_view caption,
                                    const std::vector<std::u16string>& buttons) {
  return AskWithButtons(hwnd_, text, caption, buttons);
}

}  // namespace win32
