#pragma once

#include "scheduler/task_scheduler.h"
#include "win32/windows_api.h"

// Brisquet.exe /check: no window. It reads the reservations as the viewer
// does and, where something needs the user, shows one notice in the
// notification area; a click on it opens 予約一覧 with the first of them
// selected. The exit code is 0 when all is well and 1 after a notice.
int RunCheck(HINSTANCE instance, TaskSchedulerPlatform& scheduler);
