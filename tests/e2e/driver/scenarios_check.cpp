// Brisquet.exe /check, as the Task Scheduler runs it at logon and every
// evening: silent when all is well, one notice in the notification area
// when a recording failed, and 予約一覧 one click away.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app_under_test.h"
#include "brisquet_resource.h"
#include "install_folder.h"
#include "png_writer.h"
#include "program_windows.h"
#include "scenario.h"
#include "viewer_under_test.h"
#include "work_items.h"

namespace {

// The windows of a process that are on show.
std::vector<HWND> ShownWindows(DWORD process_id) {
  struct Search {
    DWORD process_id;
    std::vector<HWND> found;
  } search{process_id, {}};
  EnumWindows(
      [](HWND hwnd, LPARAM lparam) -> BOOL {
        auto& search = *reinterpret_cast<Search*>(lparam);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner == search.process_id && IsWindowVisible(hwnd)) search.found.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The balloon Wine's explorer shows over the notification area: a tooltip
// of its own, on show.
HWND Balloon() {
  for (HWND tip = FindWindowExW(nullptr, nullptr, L"tooltips_class32", nullptr); tip != nullptr;
       tip = FindWindowExW(nullptr, tip, L"tooltips_class32", nullptr)) {
    if (IsWindowVisible(tip)) return tip;
  }
  return nullptr;
}

// The viewer installed, and one reservation stored that will record as
// stored tomorrow evening.
InstallFolder ViewerWithTomorrowsRecording(const ScenarioContext& context, const std::wstring& name) {
  InstallFolder install(context, name);
  install.CopyProgram(L"Brisquet.exe");
  install.CopyData(L"channel.txt", L"channel.txt");
  DeleteAllWorkItems();
  StoreWorkItemFile(L"明日の番組",
                    RecorderWorkItem(L"\"C:\\rec\\明日の番組.ts\" I1 @011 21:00-21:30 B", DaysFromToday(1, 20, 59)));
  return install;
}

void CheckTellsAFailedRun(const ScenarioContext& context) {
  const InstallFolder install = ViewerWithTomorrowsRecording(context, L"check");
  // Last night's recording ended with code 3.
  JobFile failed = RecorderWorkItem(L"\"C:\\rec\\ドラマ.ts\" I2 @011 21:00-21:30 B", DaysFromToday(-1, 20, 59));
  const SYSTEMTIME last = DaysFromToday(-1, 20, 59);
  failed.last_run_time = {last.wYear, last.wMonth, last.wDayOfWeek, last.wDay, last.wHour, last.wMinute, 0, 0};
  failed.exit_code = 3;
  failed.status = 0x41300;  // SCHED_S_TASK_READY: it has run
  StoreWorkItemFile(L"ドラマ", failed);
  AppUnderTest check(install.File(L"Brisquet.exe"), L"/check");
  Expect(!check.WaitForExit(4000).has_value(), L"/check ended by itself after a failed run");
  Expect(ShownWindows(check.process_id()).empty(), L"/check opened a window");
  // Wine's explorer draws the icons at the right end of its taskbar, and the
  // balloon as a tooltip above them.
  HWND balloon = Balloon();
  for (int i = 0; i < 50 && balloon == nullptr; ++i, Sleep(100)) balloon = Balloon();
  Expect(balloon != nullptr, L"no balloon over the notification area");
  const HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
  Expect(tray != nullptr, L"no taskbar with a notification area");
  RECT taskbar{}, tip{};
  GetWindowRect(tray, &taskbar);
  GetWindowRect(balloon, &tip);
  SavePixelsAsPng(
      CaptureScreenArea({std::max(taskbar.right - 520, taskbar.left), tip.top - 10, taskbar.right, taskbar.bottom}),
      context.out_dir + L"\\check-notice.png");
  RECT client{};
  GetClientRect(tray, &client);
  const LPARAM at = MAKELPARAM(client.right - 10, client.bottom / 2);
  PostMessageW(tray, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(tray, WM_LBUTTONUP, 0, at);
  const auto code = check.WaitForExit(15000);
  ExpectEqual(std::to_wstring(code.value_or(99)), std::wstring(L"1"), L"the exit code after the notice");
  auto viewer = ViewerUnderTest::WaitFor();
  Expect(viewer.WaitForRowCount(2), L"the viewer did not list them");
  ExpectEqual(viewer.SelectedName(), std::wstring(L"ドラマ"), L"the row the notice opens");
  viewer.Close();
  Expect(viewer.WaitForExit(), L"the viewer did not end");
  Expect(install.Read(L"Brisquet.ini").find("[check]") != std::string::npos, L"the time of the check is not kept");
  // Told once: the next check finds nothing wrong, and ends at once with 0.
  AppUnderTest again(install.File(L"Brisquet.exe"), L"/check");
  ExpectEqual(std::to_wstring(again.WaitForExit(15000).value_or(99)), std::wstring(L"0"),
              L"the exit code of the check after the run was told");
  DeleteAllWorkItems();
}

// Ticking ログオン時に確認する stores the check's own work item, which no
// list shows; unticking removes it.
void CheckAtLogonTicked(const ScenarioContext& context) {
  const InstallFolder install = ViewerWithTomorrowsRecording(context, L"check_at_logon");
  const std::wstring name = L"Brisquet 録画の確認";
  auto viewer = ViewerUnderTest::Start(install.File(L"Brisquet.exe"));
  Expect(viewer.WaitForRowCount(1), L"the viewer did not list the reservation");
  const HWND box = GetDlgItem(viewer.window(), IDC_CHECK_AT_LOGON);
  Expect(SendAndWait(box, BM_GETCHECK, 0, 0) == BST_UNCHECKED, L"ticked before anything was stored");
  PostMessageW(box, BM_CLICK, 0, 0);
  for (int i = 0; i < 100 && !WorkItemExists(name); ++i) Sleep(100);
  Expect(WorkItemExists(name), L"ticking stored no work item");
  // Read once the Task Scheduler has written it whole.
  auto stored = ParseJobFile(ReadBytes(WorkItemPath(name)));
  for (int i = 0; i < 50 && (!stored || stored->triggers.size() < 2); ++i, Sleep(100))
    stored = ParseJobFile(ReadBytes(WorkItemPath(name)));
  Expect(stored.has_value(), L"the check's work item cannot be read");
  const JobFile& job = *stored;
  const std::wstring exe = install.File(L"Brisquet.exe");
  Expect(job.application_name == std::u16string(exe.begin(), exe.end()) && job.parameters == u"/check" &&
             job.flags == 0x2000 && job.maximum_run_time == 15 * 60 * 1000,
         L"not the check: " + DescribeWorkItem(job));
  Expect(job.triggers.size() == 2 && job.triggers[0].type == 7 && job.triggers[1].type == 1 &&
             job.triggers[1].start_hour == 18 && job.triggers[1].start_minute == 0,
         L"not at logon and every evening: " + DescribeWorkItem(job));
  Sleep(1500);  // the list follows the Tasks folder
  Expect(viewer.WaitForRowCount(1), L"the list shows the check's work item");
  Expect(SendAndWait(box, BM_GETCHECK, 0, 0) == BST_CHECKED, L"unticked while the work item is there");
  PostMessageW(box, BM_CLICK, 0, 0);
  for (int i = 0; i < 100 && WorkItemExists(name); ++i) Sleep(100);
  Expect(!WorkItemExists(name), L"unticking left the work item");
  Expect(WorkItemExists(L"明日の番組"), L"unticking took a reservation with it");
  viewer.Close();
  Expect(viewer.WaitForExit(), L"the viewer did not end");
  DeleteAllWorkItems();
}

const ScenarioRegistration kScenarios{
    {L"check_at_logon_ticked", CheckAtLogonTicked},
    {L"check_tells_a_failed_run", CheckTellsAFailedRun},
};

}  // namespace
