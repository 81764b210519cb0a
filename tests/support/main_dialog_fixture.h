#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "dialog/halvorn2_dlg.h"
#include "resource.h"
#include "support/fake_services.h"
#include "support/fake_task_scheduler.h"
#include "support/temp_folder.h"
#include "support/headless_window.h"

// The main dialog on show in a headless window, opened on Tuesday
// 8 December 2026 at 21:00 in Tokyo.
class MainDialogTest : public ::testing::Test {
 protected:
  MainDialogTest() {
    setenv("TZ", "Asia/Tokyo", 1);
    platform.DeclareRadioGroup({IDC_REPEAT_ONCE, IDC_REPEAT_DAILY, IDC_REPEAT_WEEKLY});
    services.executable_path = folder.WindowsPath("Halvorn2.exe");
  }

  void Open() { window = platform.Open(dialog); }

  static fw::CalendarTime At(int hour, int minute) { return {2026, 12, 2, 8, hour, minute, 0}; }
  std::u16string Preview() const { return window->GetText(IDC_COMMAND_PREVIEW); }

  TempFolder folder;
  headless::Platform platform{{2026, 12, 2, 8, 21, 0, 0}};
  FakeServices services;
  FakeTaskScheduler scheduler;
  CHalvorn2Dlg dialog{services, scheduler};
  std::unique_ptr<headless::Window> window;
};
