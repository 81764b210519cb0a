#include "win32/windows_api.h"

#include "app/halvorn2_app.h"
#include "platform/path_key.h"
#include "win32/com_task_scheduler.h"
#include "win32/path_key.h"
#include "win32/platform.h"
#include "win32/services.h"
#include "win32/wide_text.h"

// The one application object, as the framework expects it.
CHalvorn2App theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR command_line, int) {
  SetPathKeyMaker(win32::WindowsPathKey);
  win32::Platform platform(instance);
  win32::Services services;
  win32::ComTaskScheduler task_scheduler;
  theApp.set_services(&services, &task_scheduler);
  return theApp.Run(platform, win32::Utf16(command_line != nullptr ? command_line : L""));
}
