#include "work_items.h"

#include <windows.h>
#include <mstask.h>

#include <cstdio>

#include "app_under_test.h"
#include "brisquet_resource.h"
#include "install_folder.h"
#include "resource.h"
#include "viewer_under_test.h"
#include "program_windows.h"
#include "win32/com_ptr.h"

std::wstring WorkItemPath(const std::wstring& name) {
  wchar_t root[MAX_PATH] = {};
  GetEnvironmentVariableW(L"SystemRoot", root, MAX_PATH);
  return std::wstring(root) + L"\\Tasks\\" + name + L".job";
}

std::string ReadBytes(const std::wstring& path) {
  std::string bytes;
  FILE* file = _wfopen(path.c_str(), L"rb");
  if (file == nullptr) return bytes;
  char buffer[4096];
  size_t got = 0;
  while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
  fclose(file);
  return bytes;
}

JobFile ReadWorkItem(const std::wstring& name) {
  const std::string bytes = ReadBytes(WorkItemPath(name));
  Expect(!bytes.empty(), L"no work item file " + WorkItemPath(name));
  const auto job = ParseJobFile(bytes);
  Expect(job.has_value(), L"the work item file cannot be read");
  Expect(job->triggers.size() == 1, L"the work item has " + std::to_wstring(job->triggers.size()) + L" triggers");
  return *job;
}

bool WorkItemExists(const std::wstring& name) {
  return GetFileAttributesW(WorkItemPath(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void DeleteWorkItem(const std::wstring& name) {
  // The Task Scheduler's service reads a work item just stored and may hold
  // it open a moment: try again until it is gone.
  const std::wstring path = WorkItemPath(name);
  for (int attempt = 0; attempt < 100 && !DeleteFileW(path.c_str()) && WorkItemExists(name); ++attempt) Sleep(50);
}

void PrepareRecorders() {
  for (const wchar_t* folder :
       {L"C:\\tuner", L"C:\\rec", L"C:\\rec2", L"C:\\bs", L"C:\\Program Files\\cap_sts", L"D:\\録画"})
    CreateDirectoryW(folder, nullptr);
  for (const wchar_t* program :
       {L"C:\\tuner\\cap_sts.exe", L"C:\\tuner\\cap_sts_bs.exe", L"C:\\Program Files\\cap_sts\\cap_sts.exe"}) {
    const HANDLE file = CreateFileW(program, GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
}

void WriteSparseFile(const std::wstring& path, std::uint64_t size) {
  const HANDLE file =
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  Expect(file != INVALID_HANDLE_VALUE, L"cannot write " + path);
  LARGE_INTEGER end{};
  end.QuadPart = static_cast<LONGLONG>(size);
  const bool sized = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
  CloseHandle(file);
  Expect(sized, L"cannot size " + path);
}

JobFile RecorderWorkItem(const std::wstring& parameters, const SYSTEMTIME& begin, int type, int days) {
  JobFile job;
  job.application_name = u"C:\\tuner\\cap_sts.exe";
  job.parameters = std::u16string(parameters.begin(), parameters.end());
  job.working_directory = u"C:\\rec";
  job.author = u"recorder";
  job.flags = 0x2000;
  JobTrigger trigger;
  trigger.begin_year = begin.wYear;
  trigger.begin_month = begin.wMonth;
  trigger.begin_day = begin.wDay;
  trigger.start_hour = begin.wHour;
  trigger.start_minute = begin.wMinute;
  trigger.type = static_cast<std::uint32_t>(type);
  if (type == 1) trigger.type_data = {1, 0, 0};
  if (type == 2) trigger.type_data = {1, static_cast<std::uint16_t>(days), 0};
  job.triggers.push_back(trigger);
  return job;
}

void StoreWorkItemFile(const std::wstring& name, const JobFile& job) {
  const std::string bytes = SerializeJobFile(job);
  FILE* file = _wfopen(WorkItemPath(name).c_str(), L"wb");
  Expect(file != nullptr, L"cannot write " + WorkItemPath(name));
  fwrite(bytes.data(), 1, bytes.size(), file);
  fclose(file);
}

std::string Reservation(const SYSTEMTIME& day, const std::wstring& title, const char* start, const char* end,
                        const char* tuner) {
  char date[64];
  std::snprintf(date, sizeof date, "year: %u\r\nmonth: %u\r\ndate: %u\r\n", day.wYear, day.wMonth, day.wDay);
  return "Content-type: application/x-tv-program-info\r\nversion: 1\r\nstation: DFS00400\r\n" + std::string(date) +
         "start: " + start + "\r\nend: " + end + "\r\nprogram-title: " + Cp932(title) + "\r\nFX2ID: " + tuner + "\r\n";
}

void ExpectNoStoresNothingAndYesStores(AppUnderTest& app, const std::wstring& name) {
  Expect(!WorkItemExists(name) && app.Running(), L"いいえ stored the reservation or closed Halvorn");
  app.ClickLater(IDC_REGISTER);
  Expect(app.AnswerQuestion(true).has_value(), L"no question the second time");
  ExpectEqual(app.AnswerMessageBox().value_or(L"(none)"), L"登録しました", L"after はい");
  Expect(WorkItemExists(name), L"はい stored nothing");
  app.PressCloseButton();
  Expect(app.WaitForExit().has_value(), L"Halvorn did not end");
}

HWND WaitForHalvornOfEdit() {
  HWND dialog = nullptr;
  for (int i = 0; i < 300 && dialog == nullptr; ++i, Sleep(100)) dialog = FindTopLevel(0, L"Halvorn Ver 2.3");
  Expect(dialog != nullptr, L"編集 did not open Halvorn");
  SendAndWait(dialog, WM_NULL, 0, 0);
  return dialog;
}

void RegisterUnattended(const InstallFolder& install, const std::string& reservation) {
  install.Write(L"r.tvpi", reservation);
  AppUnderTest app(install.exe(), L"-auto \"" + install.File(L"r.tvpi") + L"\"");
  const auto code = app.WaitForExit(30000);
  Expect(code.has_value(), L"the unattended registration did not end: " + app.AnswerMessageBox(500).value_or(L""));
}

void EditAndRegister(ViewerUnderTest& viewer, const std::wstring& name, void (*change)(AppUnderTest&)) {
  viewer.Select(name);
  viewer.ClickLater(IDC_EDIT_RESERVATION);
  AppUnderTest halvorn(WaitForHalvornOfEdit());
  change(halvorn);
  halvorn.ClickLater(IDC_REGISTER);
  const auto message = halvorn.AnswerMessageBox(3000);
  Expect(!message.has_value(), L"a message after 登録: " + message.value_or(L""));
  halvorn.PressCloseButton();
  Expect(halvorn.WaitForExit().has_value(), L"Halvorn did not end");
}

SYSTEMTIME DaysFromToday(int days, int hour, int minute) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  now.wHour = static_cast<WORD>(hour);
  now.wMinute = static_cast<WORD>(minute);
  now.wSecond = 0;
  now.wMilliseconds = 0;
  FILETIME time{};
  SystemTimeToFileTime(&now, &time);
  ULARGE_INTEGER value{{time.dwLowDateTime, time.dwHighDateTime}};
  value.QuadPart += static_cast<long long>(days) * 24 * 60 * 60 * 10000000;
  time = {value.LowPart, value.HighPart};
  SYSTEMTIME moved{};
  FileTimeToSystemTime(&time, &moved);
  return moved;
}

void DeleteAllWorkItems() {
  const std::wstring pattern = WorkItemPath(L"*");
  const std::wstring folder = pattern.substr(0, pattern.rfind(L'\\') + 1);
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    DeleteFileW((folder + found.cFileName).c_str());
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

void RegisterOtherProgram(const std::wstring& name) {
  Expect(SUCCEEDED(CoInitialize(nullptr)), L"COM");
  HRESULT result = S_OK;
  {
    win32::ComPtr<ITaskScheduler> scheduler;
    win32::ComPtr<ITask> task;
    win32::ComPtr<ITaskTrigger> trigger;
    win32::ComPtr<IPersistFile> file;
    WORD index = 0;
    TASK_TRIGGER when{};
    when.cbTriggerSize = sizeof(when);
    when.wBeginYear = 2030;
    when.wBeginMonth = 1;
    when.wBeginDay = 1;
    when.wStartHour = 3;
    when.TriggerType = TASK_TIME_TRIGGER_ONCE;
    result = CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                              reinterpret_cast<void**>(&scheduler));
    if (SUCCEEDED(result)) {
      result = scheduler->NewWorkItem(name.c_str(), CLSID_CTask, IID_ITask, reinterpret_cast<IUnknown**>(&task));
    }
    if (SUCCEEDED(result)) {
      task->SetApplicationName(L"C:\\tuner\\backup.exe");
      task->SetParameters(L"/all");
      task->SetAccountInformation(L"recorder", nullptr);
      result = task->CreateTrigger(&index, &trigger);
    }
    if (SUCCEEDED(result)) result = trigger->SetTrigger(&when);
    if (SUCCEEDED(result)) result = task->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
    if (SUCCEEDED(result)) result = file->Save(nullptr, TRUE);
  }
  CoUninitialize();
  Expect(SUCCEEDED(result), L"cannot register a work item of another program");
}

std::wstring DescribeWorkItem(const JobFile& job) {
  static const wchar_t* const kTypes[] = {L"once", L"daily", L"weekly"};
  const JobTrigger& t = job.triggers.at(0);
  wchar_t trigger[160];
  swprintf(trigger, 160, L"%ls, from %04u-%02u-%02u at %02u:%02u", t.type < 3 ? kTypes[t.type] : L"other", t.begin_year,
           t.begin_month, t.begin_day, t.start_hour, t.start_minute);
  std::wstring text = L"application:       " + Wide(job.application_name) + L"\n";
  text += L"parameters:        " + Wide(job.parameters) + L"\n";
  text += L"working folder:    " + Wide(job.working_directory) + L"\n";
  wchar_t flags[32];
  swprintf(flags, 32, L"0x%04X", static_cast<unsigned>(job.flags));
  text += L"flags:             " + std::wstring(flags) + L"\n";
  text += L"trigger:           " + std::wstring(trigger) + L"\n";
  if (t.type == 2) text += L"days of the week:  0x" + std::to_wstring(t.type_data[1]) + L"\n";
  return text;
}

std::wstring Wide(const std::u16string& text) { return std::wstring(text.begin(), text.end()); }

std::string Cp932(const std::wstring& text) {
  const int length = WideCharToMultiByte(932, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(932, 0, text.c_str(), -1, bytes.data(), length, nullptr, nullptr);
  bytes.resize(static_cast<size_t>(length > 0 ? length - 1 : 0));
  return bytes;
}

std::string SignificantLines(const std::string& bytes) {
  std::string lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines += line + "\r\n";
    start = end + 1;
  }
  return lines;
}
