// Wall-clock figures under Wine, for the README: an automatic registration
// from start to exit against schtasks creating an equivalent once-task, and
// the time from start to the dialog's first paint. Not a test: timings are
// reported, never judged.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app_under_test.h"
#include "install_folder.h"
#include "scenario.h"
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

void WriteUtf16(const std::wstring& path, const std::wstring& text) {
  FILE* file = _wfopen(path.c_str(), L"wb");
  Expect(file != nullptr, L"cannot write " + path);
  fputwc(0xFEFF, file);
  fwrite(text.data(), sizeof(wchar_t), text.size(), file);
  fclose(file);
}

std::wstring SystemTool(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  GetSystemDirectoryW(folder, MAX_PATH);
  return std::wstring(folder) + L"\\" + name;
}

void Timing(const ScenarioContext& context) {
  Expect(!context.extra.empty(), L"the timing needs the examples folder");
  const std::wstring examples = context.extra[0];
  InstallFolder install(context, L"timing");
  for (const wchar_t* file : {L"channel.txt", L"Halvorn_setting.ini", L"cap_sts_sea.ini", L"reservation.tvpi"}) {
    CopyFileW((examples + L"\\" + file).c_str(), install.File(file).c_str(), FALSE);
  }
  const std::wstring name = L"ニュース7";

  std::vector<double> halvorn;
  for (int run = 0; run < kRuns; ++run) {
    DeleteWorkItem(name);
    halvorn.push_back(TimeProcess(install.exe(), L"-auto \"" + install.File(L"reservation.tvpi") + L"\""));
    Expect(WorkItemExists(name), L"nothing was registered");
  }
  DeleteWorkItem(name);

  // The same once-task, handed to the platform's own tool.
  const std::wstring xml = install.File(L"task.xml");
  WriteUtf16(xml,
             L"<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n"
             L"<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\r\n"
             L"<Triggers><TimeTrigger><StartBoundary>2030-04-01T18:58:00</StartBoundary><Enabled>true</Enabled>"
             L"</TimeTrigger></Triggers>\r\n"
             L"<Settings><DeleteExpiredTaskAfter>PT0S</DeleteExpiredTaskAfter><WakeToRun>true</WakeToRun></Settings>\r\n"
             L"<Actions><Exec><Command>C:\\Program Files\\cap_sts\\cap_sts.exe</Command>"
             L"<Arguments>\"D:\\録画\\ニュース7.ts\" I1 P @011 19:00-19:30 B B25</Arguments>"
             L"<WorkingDirectory>D:\\録画</WorkingDirectory></Exec></Actions>\r\n</Task>\r\n");
  const std::wstring schtasks = SystemTool(L"schtasks.exe");
  std::vector<double> platform_tool;
  for (int run = 0; run < kRuns; ++run) {
    TimeProcess(schtasks, L"/delete /f /tn HalvornTiming", false);
    platform_tool.push_back(TimeProcess(schtasks, L"/create /f /tn HalvornTiming /xml \"" + xml + L"\""));
  }
  TimeProcess(schtasks, L"/delete /f /tn HalvornTiming", false);

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
  const double tool = Median(platform_tool);
  std::printf("automatic registration, start to exit (median of %d): %.0f ms\n", kRuns, registration);
  std::printf("schtasks /create of the same once-task (median of %d): %.0f ms\n", kRuns, tool);
  std::printf("ratio: %.2f\n", registration / tool);
  std::printf("start to first paint (median of %d): %.0f ms\n", kRuns, Median(first_paint));
}

const ScenarioRegistration kScenarios{
    {L"timing", Timing},
};

}  // namespace
