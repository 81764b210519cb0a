#include "viewer_app/check_run.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "brisquet_resource.h"
#include "platform/file_access.h"
#include "reservations/checks/check_notice.h"
#include "reservations/checks/file_system_answers.h"
#include "reservations/checks/recording_rate.h"
#include "reservations/views/viewer_layout.h"
#include "settings/settings_file.h"
#include "viewer_app/reservation_reading.h"
#include "win32/file_system_facts.h"
#include "win32/module_path.h"
#include "win32/power_readings.h"
#include "win32/private_profile_store.h"
#include "win32/start_program.h"
#include "win32/system_message.h"
#include "win32/wide_text.h"

namespace {

constexpr wchar_t kNoticeClass[] = L"BrisquetNotice";
constexpr UINT kIconMessage = WM_APP + 10;
// A notice nobody clicks goes after this long.
constexpr UINT kNoticeLifetime = 10 * 60 * 1000;

// The icon in the notification area, and whether the user clicked it.
struct Notice {
  NOTIFYICONDATAW icon{};
  bool clicked = false;
};

LRESULT CALLBACK NoticeProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams));
  }
  auto* notice = reinterpret_cast<Notice*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  switch (message) {
    case kIconMessage:
      switch (LOWORD(lparam)) {
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONUP:
        case NIN_BALLOONUSERCLICK:
          notice->clicked = true;
          DestroyWindow(hwnd);
          break;
        default:
          break;
      }
      return 0;
    case WM_TIMER:
      DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      Shell_NotifyIconW(NIM_DELETE, &notice->icon);
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wparam, lparam);
  }
}

// The icon with its balloon, until it is clicked or its time is up; whether
// it was clicked.
bool ShowNotice(HINSTANCE instance, const std::u16string& text) {
  WNDCLASSEXW type{};
  type.cbSize = sizeof(type);
  type.lpfnWndProc = NoticeProcedure;
  type.hInstance = instance;
  type.lpszClassName = kNoticeClass;
  RegisterClassExW(&type);
  Notice notice;
  // A window that is never shown: the icon's messages come to it.
  const HWND hwnd =
      CreateWindowExW(0, kNoticeClass, L"Brisquet", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, &notice);
  if (hwnd == nullptr) return false;
  NOTIFYICONDATAW& icon = notice.icon;
  icon.cbSize = sizeof(icon);
  icon.hWnd = hwnd;
  icon.uID = 1;
  icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;
  icon.uCallbackMessage = kIconMessage;
  icon.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDR_BRISQUET));
  lstrcpynW(icon.szTip, L"Brisquet 録画の確認", static_cast<int>(std::size(icon.szTip)));
  lstrcpynW(icon.szInfoTitle, win32::Wide(kNoticeTitle).c_str(), static_cast<int>(std::size(icon.szInfoTitle)));
  lstrcpynW(icon.szInfo, win32::Wide(text).c_str(), static_cast<int>(std::size(icon.szInfo)));
  icon.dwInfoFlags = NIIF_WARNING;
  if (!Shell_NotifyIconW(NIM_ADD, &icon)) {
    DestroyWindow(hwnd);
    return false;
  }
  SetTimer(hwnd, 1, kNoticeLifetime, nullptr);
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return notice.clicked;
}

// 予約一覧 in a process of its own, so that the check ends now.
void OpenViewerAt(const std::u16string& reservation) {
  win32::StartProgram(win32::Wide(win32::ModulePath()),
                      reservation.empty() ? L"" : L"/select \"" + win32::Wide(reservation) + L"\"");
}

}  // namespace

int RunCheck(HINSTANCE instance, TaskSchedulerPlatform& scheduler) {
  ReservationReading reading = ReadReservations(scheduler);
  CheckFacts facts;
  // What could not be read is told, never passed over in silence.
  if (Failed(reading.status))
    facts.unreadable.push_back(u"タスクスケジューラを読めません: " + win32::SystemMessage(reading.status));
  const std::u16string settings = BesideViewer(kSettingsFileName);
  if (PathExists(settings) && !ReadFileBytes(settings, 1 << 20))
    facts.unreadable.push_back(u"設定ファイルを読めません: " + settings);
  // Each question once, as the viewer asks them, however many reservations
  // record into one folder.
  win32::FileSystemFacts file_system(win32::FileSystemFacts::Waiting::AsLongAsItTakes);
  win32::PrivateProfileStore store(BesideViewer(kViewerSettingsFileName));
  FileSystemAnswers answers;
  AnswerQuestions(QuestionsOfReading(reading.rows, ReadRecordingRates(store), reading.at), file_system,
                  [&answers](const FileSystemAnswers& answer) { answers.Take(answer); });
  AnsweredFacts answered(answers);
  facts.shortfalls = CheckAndLearn(reading.rows, answered, reading.at).shortfalls;
  if (AnyReservationWakes(reading.rows)) facts.wake = DecideWakeWarning(win32::ReadPowerReadings());
  facts.last_check = ReadLastCheck(store);
  WriteLastCheck(store, JudgedUpTo(reading.rows, reading.at));
  // Unwritten, the time would tell the same failed runs at every check.
  if (store.FirstWriteFailure())
    facts.unreadable.push_back(u"確認した時刻を書き込めません: " + BesideViewer(kViewerSettingsFileName));
  const std::vector<NoticeLine> lines = NoticeLines(reading.rows, facts, reading.at);
  if (lines.empty()) return 0;
  if (ShowNotice(instance, NoticeText(lines))) OpenViewerAt(lines.front().reservation);
  return 1;
}
