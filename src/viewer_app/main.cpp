// Brisquet: the companion of Halvorn2 that lists every recording
// reservation of the Task Scheduler.
#include "win32/windows_api.h"

#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/path_key.h"
#include "viewer_app/check_run.h"
#include "viewer_app/viewer_dialog.h"
#include "win32/com_task_scheduler.h"
#include "win32/path_key.h"
#include "win32/wide_text.h"

namespace {

struct LocalFreer {
  void operator()(LPWSTR* arguments) const { LocalFree(arguments); }
};

// The program's arguments, without its own path.
std::vector<std::wstring> Arguments() {
  int count = 0;
  const std::unique_ptr<LPWSTR, LocalFreer> arguments(CommandLineToArgvW(GetCommandLineW(), &count));
  std::vector<std::wstring> list;
  for (int i = 1; arguments && i < count; ++i) list.emplace_back(arguments.get()[i]);
  return list;
}

}  // namespace

// No argument: 予約一覧. "/check": the check at logon and every evening.
// "/select NAME": 予約一覧 with that reservation selected.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const std::vector<std::wstring> arguments = Arguments();
  SetJapaneseCharacterLocale();
  SetPathKeyMaker(win32::WindowsPathKey);
  win32::ComTaskScheduler scheduler;
  if (!arguments.empty() && lstrcmpiW(arguments[0].c_str(), L"/check") == 0) return RunCheck(instance, scheduler);
  INITCOMMONCONTROLSEX controls{sizeof(controls),
                                ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  ViewerDialog dialog(instance, scheduler);
  if (arguments.size() == 2 && lstrcmpiW(arguments[0].c_str(), L"/select") == 0)
    dialog.SelectAtStart(win32::Utf16(arguments[1]));
  dialog.Run();
  return 0;
}
