// Brisquet: the companion of Halvorn2 that lists every recording
// reservation of the Task Scheduler.
#include "win32/windows_api.h"

#include "platform/code_page.h"
#include "platform/path_key.h"
#include "viewer_app/viewer_dialog.h"
#include "win32/com_task_scheduler.h"
#include "win32/path_key.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof(controls),
                                ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  SetJapaneseCharacterLocale();
  SetPathKeyMaker(win32::WindowsPathKey);
  win32::ComTaskScheduler scheduler;
  ViewerDialog dialog(instance, scheduler);
  dialog.Run();
  return 0;
}
