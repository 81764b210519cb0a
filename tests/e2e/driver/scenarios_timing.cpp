// Wall-clock figures under Wine, for the README: an automatic registration
// from start to exit against a program that makes only its Task Scheduler
// calls, and the time from start to the dialog's first paint. Not a test:
// timings are reported, never judged.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
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

// A thousand reservations of another tuner, years ahead, as a busy user
// has them, recording into `folder`.
void StoreManyWorkItems(const std::wstring& folder = L"C:\\rec") {
  SYSTEMTIME begin{};
  begin.wYear = 2031;
  begin.wMonth = 1;
  begin.wDay = 1;
  for (int i = 0; i < kStoredItems; ++i) {
    begin.wHour = static_cast<WORD>(i % 24);
    begin.wMinute = 29;
    const std::wstring name = L"番組" + std::to_wstring(i);
    StoreWorkItemFile(name, RecorderWorkItem(L"\"" + folder + L"\\" + name + L".ts\" I9 @011 01:30-02:00 B", begin));
  }
}

// The thousand work item files moved into the Tasks folder or out of it
// to a folder beside it, keeping their write times.
void PlaceManyWorkItems(bool in_tasks) {
  for (int i = 0; i < kStoredItems; ++i) {
    const std::wstring stored = WorkItemPath(L"番組" + std::to_wstring(i));
    const std::wstring aside = stored.substr(0, stored.rfind(L'\\')) + L" aside" + stored.substr(stored.rfind(L'\\'));
    if (i == 0) CreateDirectoryW(aside.substr(0, aside.rfind(L'\\')).c_str(), nullptr);
    Expect(in_tasks ? MoveFileW(aside.c_str(), stored.c_str()) : MoveFileW(stored.c_str(), aside.c_str()),
           L"cannot move " + stored);
  }
}

// A registration of the example reservation by the browser's switch into
// an empty place; milliseconds.
double TimeRegistration(const InstallFolder& install, const std::wstring& name) {
  DeleteWorkItem(name);
  const double elapsed = TimeProcess(install.exe(), L"-auto \"" + install.File(L"reservation.tvpi") + L"\"");
  Expect(WorkItemExists(name), L"nothing was registered");
  DeleteWorkItem(name);
  return elapsed;
}

// Times of runs without the thousand work items and with them, in turn,
// so that a slower minute of the machine weighs on both alike. Each run
// with them comes after one uncounted run that reads them all and keeps
// them beside the programs, as any earlier run would have.
// A run to compare with, where given, is taken in turn with those without
// them.
struct InTurn {
  std::vector<double> none, many, compared;
  double first_many = 0;  // that uncounted run, the first after they were stored
};
InTurn TimeInTurn(const std::function<double()>& timed_run, const std::function<double()>& compared_run = {}) {
  // The Task Scheduler's service reads the folder again after every change
  // to it; each run waits for it, so that it does not take the processor.
  const auto run_once = [&timed_run] {
    Sleep(700);
    return timed_run();
  };
  InTurn times;
  for (int run = 0; run < kRuns; ++run) {
    PlaceManyWorkItems(false);
    times.none.push_back(run_once());
    if (compared_run) {
      Sleep(700);
      times.compared.push_back(compared_run());
    }
    PlaceManyWorkItems(true);
    const double first = run_once();
    if (run == 0) times.first_many = first;
    times.many.push_back(run_once());
  }
  return times;
}

// 更新 pressed and waited for; milliseconds. The last refresh's painting
// is let finish first, so that the X server drawing it does not take the
// processor from this one.
double TimeRefresh(const ViewerUnderTest& viewer) {
  const HWND list = GetDlgItem(viewer.window(), IDC_RESERVATIONS);
  while (GetUpdateRect(viewer.window(), nullptr, FALSE) || GetUpdateRect(list, nullptr, FALSE)) Sleep(1);
  Sleep(200);
  const double start = Now();
  SendAndWait(GetDlgItem(viewer.window(), IDC_REFRESH), BM_CLICK, 0, 0);
  return Now() - start;
}

// Brisquet started until its list shows `rows` rows and is painted;
// milliseconds.
double TimeViewerStart(const InstallFolder& install, std::size_t rows) {
  const double start = Now();
  AppUnderTest viewer(install.File(L"Brisquet.exe"), L"");
  const HWND window = viewer.WaitForDialog(L"予約一覧");
  while (GetUpdateRect(window, nullptr, FALSE)) Sleep(1);
  const double elapsed = Now() - start;
  const auto listed = SendAndWait(GetDlgItem(window, IDC_RESERVATIONS), LVM_GETITEMCOUNT, 0, 0);
  Expect(static_cast<std::size_t>(listed) == rows, L"the viewer did not list them all");
  viewer.PressCloseButton();
  viewer.WaitForExit();
  return elapsed;
}

// The タイムライン of a thousand reservations in the coming week on four
// tuners, the whole week across, painted again; milliseconds.
std::vector<double> TimeTimelinePaints(const InstallFolder& install) {
  for (int i = 0; i < kStoredItems; ++i) {
    const int start = (i * 37) % (24 * 60);
    wchar_t window[32];
    swprintf(window, 32, L"@011 %02d:%02d-%02d:%02d", start / 60, start % 60, (start + 30) / 60 % 24,
             (start + 30) % 60);
    const std::wstring name = L"週" + std::to_wstring(i);
    StoreWorkItemFile(
        name, RecorderWorkItem(L"\"C:\\rec\\" + name + L".ts\" I" + std::to_wstring(1 + i % 4) + L" " + window + L" B",
                               DaysFromToday(1 + i % 6, start / 60, start % 60), i % 3 == 0 ? 1 : 0));
  }
  Sleep(6000);
  std::vector<double> times;
  {
    auto viewer = ViewerUnderTest::Start(install.File(L"Brisquet.exe"));
    Expect(viewer.WaitForRowCount(kStoredItems, 60000), L"the viewer did not list them all");
    SendAndWait(GetDlgItem(viewer.window(), IDC_VIEW_TABS), TCM_SETCURFOCUS, 1, 0);
    const HWND timeline = GetDlgItem(viewer.window(), IDC_TIMELINE);
    for (int notch = 0; notch < 12; ++notch) {
      SendAndWait(timeline, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-WHEEL_DELTA)), 0);
    }
    for (int run = 0; run < kRuns; ++run) {
      UpdateWindow(timeline);
      Sleep(200);
      InvalidateRect(timeline, nullptr, FALSE);
      const double start = Now();
      UpdateWindow(timeline);
      times.push_back(Now() - start);
    }
    viewer.Close();
    viewer.WaitForExit();
  }
  DeleteAllWorkItems();
  return times;
}

void Timing(const ScenarioContext& context) {
  Expect(!context.extra.empty(), L"the timing needs the examples folder");
  const std::wstring examples = context.extra[0];
  InstallFolder install(context, L"timing");
  for (const wchar_t* file : {L"channel.txt", L"Halvorn_setting.ini", L"cap_sts_sea.ini", L"reservation.tvpi"}) {
    CopyFileW((examples + L"\\" + file).c_str(), install.File(file).c_str(), FALSE);
  }
  const std::wstring name = L"ニュース7";

  // The question before a collision reads every stored reservation once.
  // A busy user stored them on other days; files written in the last few
  // seconds are read from the files every time.
  StoreManyWorkItems();
  Sleep(6000);
  // The same Task Scheduler calls for the same once-task, with nothing else.
  const std::wstring floor = context.exe.substr(0, context.exe.rfind(L'\\') + 1) + L"registration_floor.exe";
  const InTurn registrations = TimeInTurn([&] { return TimeRegistration(install, name); },
                                          [&] {
                                            DeleteWorkItem(name);
                                            const double elapsed = TimeProcess(floor, L"");
                                            Expect(WorkItemExists(name), L"the floor registered nothing");
                                            DeleteWorkItem(name);
                                            return elapsed;
                                          });
  install.CopyProgram(L"Brisquet.exe");
  const InTurn viewer_starts = TimeInTurn([&] {
    const std::size_t rows = WorkItemExists(L"番組0") ? kStoredItems : 0;
    return TimeViewerStart(install, rows);
  });
  const std::vector<double>& halvorn = registrations.none;

  // The check at logon with nothing wrong, in turn with the viewer's start.
  std::vector<double> checks, starts_beside;
  for (int run = 0; run < kRuns; ++run) {
    starts_beside.push_back(TimeViewerStart(install, kStoredItems));
    checks.push_back(TimeProcess(install.File(L"Brisquet.exe"), L"/check"));
  }

  // The viewer reading them again, on show and minimized.
  std::vector<double> visible, minimized, on_local;
  {
    auto viewer = ViewerUnderTest::Start(install.File(L"Brisquet.exe"));
    Expect(viewer.WaitForRowCount(kStoredItems, 60000), L"the viewer did not list them all");
    // In turn, as the registrations.
    for (int run = 0; run < kRuns; ++run) {
      ShowWindow(viewer.window(), SW_RESTORE);
      visible.push_back(TimeRefresh(viewer));
      ShowWindow(viewer.window(), SW_MINIMIZE);
      minimized.push_back(TimeRefresh(viewer));
    }
    // On show alone, as the network drive's are taken below.
    ShowWindow(viewer.window(), SW_RESTORE);
    TimeRefresh(viewer);
    for (int run = 0; run < kRuns; ++run) on_local.push_back(TimeRefresh(viewer));
    viewer.Close();
    viewer.WaitForExit();
  }
  // The same thousand recording onto a drive Windows takes for a network
  // drive: its folder is asked once a reading, away from the window.
  Expect(GetDriveTypeW(L"N:\\") == DRIVE_REMOTE, L"the bench has no network drive N:");
  CreateDirectoryW(L"N:\\rec", nullptr);
  StoreManyWorkItems(L"N:\\rec");
  Sleep(6000);
  std::vector<double> on_share;
  {
    auto viewer = ViewerUnderTest::Start(install.File(L"Brisquet.exe"));
    Expect(viewer.WaitForRowCount(kStoredItems, 60000), L"the viewer did not list them all");
    TimeRefresh(viewer);  // reads the rewritten files once, as any earlier reading would have
    for (int run = 0; run < kRuns; ++run) on_share.push_back(TimeRefresh(viewer));
    viewer.Close();
    viewer.WaitForExit();
  }
  DeleteAllWorkItems();
  const std::vector<double> timeline_paints = TimeTimelinePaints(install);

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
  const double least = Median(registrations.compared);
  std::printf("automatic registration, start to exit (median of %d): %.0f ms\n", kRuns, registration);
  std::printf("the same Task Scheduler calls alone (median of %d, in turn): %.0f ms\n", kRuns, least);
  std::printf("ratio (the goal is at most 1.6): %.2f\n", registration / least);
  std::printf("start to first paint (median of %d): %.0f ms\n", kRuns, Median(first_paint));
  std::printf("automatic registration with %d stored work items (median of %d, in turn with none): %.0f ms\n",
              kStoredItems, kRuns, Median(registrations.many));
  std::printf("ratio, with %d stored work items to none (the goal is at most 1.15): %.2f\n", kStoredItems,
              Median(registrations.many) / registration);
  std::printf("the first of them after they were stored, reading every file: %.0f ms\n", registrations.first_many);
  std::printf("viewer start to its painted list, no work items (median of %d): %.0f ms\n", kRuns,
              Median(viewer_starts.none));
  std::printf("the same with %d work items (median of %d, in turn with none): %.0f ms\n", kStoredItems, kRuns,
              Median(viewer_starts.many));
  std::printf("ratio, with %d work items to none: %.2f\n", kStoredItems,
              Median(viewer_starts.many) / Median(viewer_starts.none));
  std::printf(
      "Brisquet /check of %d work items with nothing wrong, start to exit (median of %d, in turn with the "
      "viewer's start): %.0f ms\n",
      kStoredItems, kRuns, Median(checks));
  std::printf("ratio, to the viewer's start to its painted list (the goal is at most 1.2): %.2f\n",
              Median(checks) / Median(starts_beside));
  std::printf("viewer re-reading %d work items, on show (median of %d, in turn): %.0f ms\n", kStoredItems, kRuns,
              Median(visible));
  std::printf("viewer re-reading %d work items, minimized (median of %d, in turn): %.0f ms\n", kStoredItems, kRuns,
              Median(minimized));
  std::printf("ratio, on show to minimized (the goal is at most 1.3): %.2f\n", Median(visible) / Median(minimized));
  std::printf("viewer re-reading %d work items recording onto a network drive (median of %d): %.0f ms\n", kStoredItems,
              kRuns, Median(on_share));
  std::printf("the same onto the local drive, on show alone (median of %d): %.0f ms\n", kRuns, Median(on_local));
  std::printf("ratio, network drive to local (the goal is at most 1.2): %.2f\n", Median(on_share) / Median(on_local));
  std::printf("painting the timeline of %d reservations over the week (median of %d): %.1f ms\n", kStoredItems, kRuns,
              Median(timeline_paints));
}

const ScenarioRegistration kScenarios{
    {L"timing", Timing},
};

}  // namespace
