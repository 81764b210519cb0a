#include "win32/platform.h"

#include <memory>

#include "framework/dialog.h"
#include "win32/caption_fit.h"
#include "win32/dialog_window.h"
#include "win32/event_translation.h"

namespace win32 {

namespace {

// What the dialog procedure needs for one modal run.
struct ModalRun {
  fw::Dialog& dialog;
  std::vector<HWND>& open_windows;
  std::unique_ptr<DialogWindow> window;
};

INT_PTR AnswerEvent(HWND hwnd, UINT message, const fw::Notification& notification) {
  switch (message) {
    case WM_NOTIFY:
      SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, notification.result);
      return TRUE;
    case WM_QUERYDRAGICON:
      return notification.result;
    default:
      return notification.pass_to_default ? FALSE : TRUE;
  }
}

}  // namespace

// The one dialog procedure of the program: it keeps the run at
// WM_INITDIALOG and hands every other message to the dialog's message map.
INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    auto* run = reinterpret_cast<ModalRun*>(lparam);
    SetWindowLongPtrW(hwnd, DWLP_USER, lparam);
    run->window = std::make_unique<DialogWindow>(hwnd);
    run->open_windows.push_back(hwnd);
    run->dialog.Attach(run->window.get());
    const bool default_focus = run->dialog.InitDialog();
    win32::FitCaptions(hwnd);
    return default_focus ? TRUE : FALSE;
  }
  auto* run = reinterpret_cast<ModalRun*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (run == nullptr) return FALSE;
  if (message == WM_DESTROY) {
    run->open_windows.pop_back();
    return FALSE;
  }
  const auto event = TranslateDialogMessage(message, wparam, lparam);
  if (!event) return FALSE;
  fw::Notification notification;
  notification.delta = event->delta;
  if (!run->dialog.HandleEvent(event->kind, event->id, notification)) return FALSE;
  return AnswerEvent(hwnd, message, notification);
}

std::intptr_t Platform::RunModal(fw::Dialog& dialog) {
  // The templates use the date-time picker, month calendar, tab and up-down
  // controls, registered when a dialog is first shown: a run that shows
  // none never loads them.
  static const bool registered = [] {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_DATE_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS |
                                                        ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  static_cast<void>(registered);
  ModalRun run{dialog, open_windows_, nullptr};
  const HWND owner = open_windows_.empty() ? nullptr : open_windows_.back();
  const INT_PTR result = DialogBoxParamW(instance_, MAKEINTRESOURCEW(dialog.template_id()), owner, DialogProc,
                                         reinterpret_cast<LPARAM>(&run));
  dialog.Attach(nullptr);
  return result;
}

fw::Icon Platform::LoadIcon(int resource_id) {
  const HICON icon = ::LoadIconW(instance_, MAKEINTRESOURCEW(resource_id));
  return {resource_id, reinterpret_cast<std::uintptr_t>(icon)};
}

}  // namespace win32
