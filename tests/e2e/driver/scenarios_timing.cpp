// Wall-clock figures under Wine, for the README: an automatic registration
// from start to exit against a program that makes only its Task Scheduler
// calls, and the time from start to the dialog's first paint. Not a test:
// timings are reported, never judged.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app_under_test.h"
#include "brisquet_resource.h"
#include "install_folder.h"
#include "program_windows.h"
#include "scenario.h"
#include "viewer_under_test.h"
#include "work_items.h"

namespace {

constexpr int kRuns = 7;

double Now() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Runs a program to its end; the wall time in milliseconds.
double TimeProcess(const std::wstring& exe, const std::wstring& arguments, bool must_succeed = true) {
  const double start = Now();
  AppUnderTest process(exe, arguments);
  const auto code = process.WaitForExit(60000);
  const double elapsed = Now() - start;
  Expect(code.has_value(), L"did not finish: " + exe + L" " + arguments);
  Expect(!must_succeed || *code == 0, L"failed: " + exe + L" " + arguments);
  return elapsed;
}

constexpr int kStoredItems = 1000;

// A thousand reservations of another tuner, years ahead, as a busy user has them.
void StoreManyWorkItems() {
  SYSTEMTIME begin{};
  begin.wYear = 2031;
  begin.wMonth = 1;
  begin.wDay = 1;
  for (int i = 0; i < kStoredItems; ++i) {
    begin.wHour = static_cast<WORD>(i % 24);
    begin.wMinute = 29;
    const std::wstring name = L"番組" + std::to_wstring(i);
    StoreWorkItemFile(name, RecorderWorkItem(L"\"C:\\rec\\" + name + L".ts\" I9 @011 01:30-02:00 B", begin));
  }
}

// Registrations of the example reservation by the browser's switch, each
// into an empty place; milliseconds.
std::vector<double> TimeRegistrations(const InstallFolder& install, const std::wstring& name) {
  std::vector<double> times;
  for (int run = 0; run < kRuns; ++run) {
    DeleteWorkItem(name);
    times.push_back(TimeProcess(install.exe(), L"-auto \"" + install.File(L"reservation.tvpi") + L"\""));
    Expect(WorkItemExists(name), L"nothing was registered");
  }
  DeleteWorkItem(name);
  return times;
}

// 更新 pressed and waited for; milliseconds.
double TimeRefresh(const ViewerUnderTest& viewer) {
  const double start = Now();
  SendAndWait(GetDlgItem(viewer.window(), IDC_REFRESH), BM_CLICK, 0, 0);
  return Now() - start;
}

void Timing(const ScenarioContext& context) {
  Expect(!context.extra.empty(), L"the timing needs the examples folder");
  const std::wstring examples = context.extra[0];
  InstallFolder install(context, L"timing");
  for (const wchar_t* file : {L"channel.txt", L"Halvorn_setting.ini", L"cap_sts_sea.ini", L"reservation.tvpi"}) {
    CopyFileW((examples + L"\\" + file).c_str(), install.File(file).c_str(), FALSE);
  }
  const std::wstring name = L"ニュース7";

  const std::vector<double> halvorn = TimeRegistrations(install, name);
  // The question before a collision reads every stored reservation once.
  StoreManyWorkItems();
  const std::vector<double> crowded = TimeRegistrations(install, name);

  // The viewer reading them again, on show and minimized.
  install.CopyProgram(L"Brisquet.exe");
  std::vector<double> visible, minimized;
  {
    auto viewer = ViewerUnderTest::Start(install.File(L"Brisquet.exe"));
    Expect(viewer.WaitForRowCount(kStoredItems, 60000), L"the viewer did not list them all");
    for (int run = 0; run < 3; ++run) visible.push_back(TimeRefresh(viewer));
    ShowWindow(viewer.window(), SW_MINIMIZE);
    SendAndWait(viewer.window(), WM_NULL, 0, 0);
    for (int run = 0; run < 3; ++run) minimized.push_back(TimeRefresh(viewer));
    viewer.Close();
    viewer.WaitForExit();
  }
  DeleteAllWorkItems();

  // The same Task Scheduler calls for the same once-task, with nothing else.
  const std::wstring floor = context.exe.substr(0, context.exe.rfind(L'\\') + 1) + L"registration_floor.exe";
  std::vector<double> floor_times;
  for (int run = 0; run < kRuns; ++run) {
    DeleteWorkItem(name);
    floor_times.push_back(TimeProcess(floor, L""));
    Expect(WorkItemExists(name), L"the floor registered nothing");
  }
  DeleteWorkItem(name);

  std::vector<double> first_paint;
  for (int run = 0; run < kRuns; ++run) {
    const double start = Now();
    AppUnderTest app(install.exe(), L"");
    HWND dialog = app.WaitForDialog();
    while (GetUpdateRect(dialog, nullptr, FALSE)) Sleep(1);
    first_paint.push_back(Now() - start);
    app.PressCloseButton();
    app.WaitForExit();
  }

  const double registration = Median(halvorn);
  const double least = Median(floor_times);
  std::printf("automatic registration, start to exit (median of %d): %.0f ms\n", kRuns, registration);
  std::printf("the same Task Scheduler calls alone (median of %d): %.0f ms\n", kRuns, least);
  std::printf("ratio: %.2f\n", registration / least);
  std::printf("start to first paint (median of %d): %.0f ms\n", kRuns, Median(first_paint));
  std::printf("automatic registration with %d stored work items (median of %d): %.0f ms\n", kStoredItems, kRuns,
              Median(crowded));
  std::printf("viewer re-reading %d work items, on show (median of 3): %.0f ms\n", kStoredItems, Median(visible));
  std::printf("viewer re-reading %d work items, minimized (median of 3): %.0f ms\n", kStoredItems, Median(minimized));
  std::printf("ratio, on show to minimized: %.2f\n", Median(visible) / Median(minimized));
}

const ScenarioRegistration kScenarios{
    {L"timing", Timing},
};

}  // namespace
