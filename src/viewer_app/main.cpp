// Brisquet: the companion of Halvorn2 that lists every recording
// reservation of the Task Scheduler.
#include "win32/windows_api.h"

#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"
#include "platform/path_key.h"
#include "viewer_app/check_run.h"
#include "viewer_app/viewer_dialog.h"
#include "win32/com_task_scheduler.h"
#include "win32/path_key.h"
#include "win32/wide_text.h"

namespace {

// The program's arguments, without its own path: blank-separated, a
// quoted one whole. The shell's own splitter would load its library for it.
std::vector<std::wstring> Arguments() {
  const std::wstring_view line = GetCommandLineW();
  std::vector<std::wstring> list;
  std::size_t at = 0;
  while (at < line.size()) {
    while (at < line.size() && (line[at] == L' ' || line[at] == L'\t')) ++at;
    if (at == line.size()) break;
    const bool quoted = line[at] == L'"';
    const std::size_t begin = quoted ? at + 1 : at;
    std::size_t end = quoted ? line.find(L'"', begin) : line.find_first_of(L" \t", begin);
    if (end == std::wstring_view::npos) end = line.size();
    list.emplace_back(line.substr(begin, end - begin));
    at = quoted && end < line.size() ? end + 1 : end;
  }
  if (!list.empty()) list.erase(list.begin());
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
