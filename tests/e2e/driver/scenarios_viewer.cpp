// Brisquet, the reservation viewer: started from Halvorn, it lists the
// recording reservations, marks the two that need one tuner at one time,
// deletes one and hands another back to Halvorn for a change.
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "app_under_test.h"
#include "brisquet_resource.h"
#include "install_folder.h"
#include "png_writer.h"
#include "program_windows.h"
#include "resource.h"
#include "scenario.h"
#include "viewer_under_test.h"
#include "work_items.h"

namespace {

const char kSettings[] =
    "[cap_sts]\r\ncap_sts_path=C:\\tuner\\cap_sts.exe\r\nfolder=C:\\rec\r\nid=1\r\n"
    "[task]\r\naccount=recorder\r\npass=\r\n";

const wchar_t kFirst[] = L"重複A";
const wchar_t kSecond[] = L"重複B";
const wchar_t kOtherTuner[] = L"別チューナー";

// Both programs in a fresh install folder with the tests' channel table and
// settings, and a Task Scheduler with nothing in it.
void InstallViewer(const InstallFolder& install) {
  install.CopyProgram(L"Brisquet.exe");
  install.CopyData(L"channel.txt", L"channel.txt");
  install.Write(L"Halvorn_setting.ini", kSettings);
  DeleteAllWorkItems();
}

// An unattended registration from the browser; over a collision Halvorn
// asks first, and the user says はい.
void RegisterAutomatically(InstallFolder& install, const std::string& reservation, bool collides = false) {
  install.Write(L"r.tvpi", reservation);
  AppUnderTest app(install.exe(), L"-auto \"" + install.File(L"r.tvpi") + L"\"");
  if (collides) {
    // The only profile's tuner 1 is free then and offered; registered as it
    // is, the two collide.
    const auto box = app.AnswerChoice(L"このまま登録");
    Expect(box && box->text.find(L"は同じチューナーの次の予約と時間が重なります。") != std::wstring::npos,
           L"no question before the collision: " + (box ? box->text : L"(none)"));
  }
  const auto code = app.WaitForExit(30000);
  Expect(code.has_value() && *code == 0,
         L"an automatic registration did not end: " + app.AnswerMessageBox(500).value_or(L"no message"));
}

std::vector<std::wstring> Names(const ViewerUnderTest& viewer) {
  std::vector<std::wstring> names;
  for (const auto& row : viewer.Rows()) names.push_back(row[0] + L"|" + row[4] + L"|" + row[7]);
  return names;
}

std::wstring Joined(const std::vector<std::wstring>& texts) {
  std::wstring joined;
  for (const auto& text : texts) joined += L"[" + text + L"]";
  return joined;
}

void ViewerListsDeletesAndChanges(const ScenarioContext& context) {
  InstallFolder install(context, L"viewer");
  InstallViewer(install);
  const SYSTEMTIME day = DaysFromToday(2);
  RegisterAutomatically(install, Reservation(day, kFirst, "21:00", "22:00", "2"));
  RegisterAutomatically(install, Reservation(day, kSecond, "21:30", "22:30", "2"), true);
  RegisterAutomatically(install, Reservation(day, kOtherTuner, "21:00", "22:00", "3"));
  RegisterOtherProgram(L"バックアップ");

  // The viewer, started by Halvorn's button, lists exactly the three.
  auto viewer = [&] {
    AppUnderTest halvorn(install.exe(), L"");
    halvorn.WaitForDialog();
    halvorn.Click(IDC_TASK_VIEWER);
    ViewerUnderTest found = ViewerUnderTest::WaitFor();
    halvorn.PressCloseButton();
    halvorn.WaitForExit();
    return found;
  }();
  ExpectEqual(Joined(Names(viewer)),
              // The only profile, "default", runs their recorder with tuner 1.
              std::wstring(L"[") + kOtherTuner + L"|default · 3|][" + kFirst + L"|default · 2|重複][" + kSecond +
                  L"|default · 2|重複]",
              L"rows (name|tuner|state)");
  viewer.Select(kFirst);
  Sleep(300);
  Expect(viewer.Note().find(std::wstring(L"「") + kSecond + L"」と重複") == 0, L"the note says " + viewer.Note());

  // 削除, answered with はい.
  viewer.Select(kSecond);
  viewer.ClickLater(IDC_DELETE_RESERVATION);
  const auto question = viewer.AnswerYes();
  ExpectEqual(question.value_or(L"(none)"), std::wstring(L"「") + kSecond + L"」を削除しますか？", L"question");
  Expect(viewer.WaitForRowCount(2), L"the list was not read again");
  Expect(!WorkItemExists(kSecond), L"the work item is still stored");
  ExpectEqual(Joined(Names(viewer)), std::wstring(L"[") + kOtherTuner + L"|default · 3|][" + kFirst + L"|default · 2|]",
              L"rows after deleting");

  // 編集: Halvorn opens with the stored reservation, and 登録 replaces it.
  viewer.Select(kFirst);
  viewer.ClickLater(IDC_EDIT_RESERVATION);
  AppUnderTest halvorn(WaitForHalvornOfEdit());
  ExpectEqual(halvorn.Text(IDC_REGISTRATION_NAME), kFirst, L"registration name");
  ExpectEqual(halvorn.Text(IDC_CHANNEL), L"011", L"channel");
  ExpectEqual(halvorn.Text(IDC_ID), L"2", L"tuner");
  const SYSTEMTIME start = halvorn.PickerTime(IDC_START_TIME);
  Expect(start.wHour == 21 && start.wMinute == 0, L"start time");
  Expect(halvorn.Checked(IDC_DELETE_SAME_NAME), L"同名タスクを削除して登録 is not ticked");
  SYSTEMTIME later = start;
  later.wMinute = 10;
  halvorn.SetPickerTime(IDC_START_TIME, later);
  later.wHour = 22;
  halvorn.SetPickerTime(IDC_END_TIME, later);
  halvorn.Type(IDC_FILE_NAME, halvorn.Text(IDC_FILE_NAME));  // the next composition takes the new times
  halvorn.ClickLater(IDC_REGISTER);
  const auto message = halvorn.AnswerMessageBox(3000);
  Expect(!message.has_value(), L"a message after 登録: " + message.value_or(L""));
  const JobFile job = ReadWorkItem(kFirst);
  Expect(Wide(job.parameters).find(L" 21:10-22:10") != std::wstring::npos, L"parameters " + Wide(job.parameters));
  Expect(job.triggers[0].start_hour == 21 && job.triggers[0].start_minute == 9, L"trigger start");
  halvorn.PressCloseButton();
  Expect(halvorn.WaitForExit().has_value(), L"Halvorn did not end");

  // The list is read again once Halvorn has ended.
  bool updated = false;
  for (int i = 0; i < 100 && !updated; ++i, Sleep(100)) {
    for (const auto& row : viewer.Rows()) updated = updated || (row[0] == kFirst && row[5] == L"21:10-22:10");
  }
  Expect(updated, L"the list does not show the new times: " + Joined(Names(viewer)));
  viewer.Close();
  Expect(viewer.WaitForExit(), L"the viewer did not end");
  DeleteAllWorkItems();
}

std::vector<std::wstring> Column(const ViewerUnderTest& viewer, int column) {
  std::vector<std::wstring> cells;
  for (const auto& row : viewer.Rows()) cells.push_back(row[static_cast<std::size_t>(column)]);
  return cells;
}

std::wstring CellOf(const ViewerUnderTest& viewer, const std::wstring& name, int column) {
  return viewer.Cell(name, column);
}

std::wstring Parameters(const wchar_t* title, const wchar_t* switches, const wchar_t* window) {
  return std::wstring(L"\"C:\\rec\\") + title + L".ts\"" + switches + L" " + window + L" B";
}

// Five reservations as a user collects them: two that need tuner 2 at once
// (written "2" and "02"), one switched off, one that ended yesterday and a
// weekly one that wakes the PC; then the last runs the scheduler recorded.
void ViewerTellsTheTruth(const ScenarioContext& context) {
  InstallFolder install(context, L"viewer_truth");
  InstallViewer(install);
  StoreWorkItemFile(L"二番",
                    RecorderWorkItem(Parameters(L"二番", L" I2", L"@011 21:00-22:00"), DaysFromToday(2, 20, 59)));
  StoreWorkItemFile(L"零二番",
                    RecorderWorkItem(Parameters(L"零二番", L" I02", L"@041 21:30-22:30"), DaysFromToday(2, 21, 29)));
  JobFile off = RecorderWorkItem(Parameters(L"無効", L" I2", L"@011 21:00-22:00"), DaysFromToday(2, 20, 59));
  off.flags |= 0x4;  // TASK_FLAG_DISABLED
  StoreWorkItemFile(L"無効", off);
  StoreWorkItemFile(L"昨日",
                    RecorderWorkItem(Parameters(L"昨日", L" I2", L"@011 21:00-22:00"), DaysFromToday(-1, 20, 59)));
  JobFile weekly = RecorderWorkItem(Parameters(L"毎週", L" I3", L"@061 07:00-07:30"), DaysFromToday(1, 6, 59), 2, 0x7F);
  weekly.flags |= 0x1000;  // TASK_FLAG_SYSTEM_REQUIRED: wakes the PC
  StoreWorkItemFile(L"毎週", weekly);

  auto viewer = ViewerUnderTest::Start(install.File(L"Brisquet.exe"));
  Expect(viewer.WaitForRowCount(5), L"the five reservations are not listed");
  ExpectEqual(CellOf(viewer, L"二番", 7) + L"|" + CellOf(viewer, L"零二番", 7) + L"|" + CellOf(viewer, L"無効", 7) +
                  L"|" + CellOf(viewer, L"昨日", 7) + L"|" + CellOf(viewer, L"毎週", 7),
              L"重複|重複|無効|終了|", L"状態 of 二番, 零二番, 無効, 昨日, 毎週");
  ExpectEqual(CellOf(viewer, L"二番", 3) + L"|" + CellOf(viewer, L"零二番", 3), L"ＮＨＫ総合 (011)|日本テレビ (041)",
              L"チャンネル");
  ExpectEqual(viewer.WakeNote(), L"", L"the wake line on a platform that cannot say");

  // Two clicks on 登録名: up, then down.
  viewer.ClickHeader(0);
  std::vector<std::wstring> names = Column(viewer, 0);
  std::vector<std::wstring> sorted = names;
  std::sort(sorted.begin(), sorted.end(), [](const std::wstring& a, const std::wstring& b) {
    return CompareStringEx(LOCALE_NAME_USER_DEFAULT, 0, a.c_str(), -1, b.c_str(), -1, nullptr, nullptr, 0) ==
           CSTR_LESS_THAN;
  });
  Expect(names == sorted && viewer.SortArrow(0) == 1, L"one click does not sort up: " + Joined(names));
  viewer.ClickHeader(0);
  std::reverse(sorted.begin(), sorted.end());
  Expect(Column(viewer, 0) == sorted && viewer.SortArrow(0) == -1,
         L"two clicks do not sort down: " + Joined(Column(viewer, 0)));
  Expect(viewer.SortArrow(1) == 0, L"an arrow on another column");

  // A work item another program puts into the Tasks folder shows by itself.
  StoreWorkItemFile(L"追加",
                    RecorderWorkItem(Parameters(L"追加", L" I5", L"@021 12:00-12:30"), DaysFromToday(4, 11, 59)));
  Expect(viewer.WaitForRowCount(6, 5000), L"the new work item did not appear without 更新");

  // How the last runs went, as the scheduler writes them into the files.
  const struct {
    const wchar_t* name;
    const wchar_t* tuner;
    DWORD exit_code;
    bool running;
  } runs[] = {{L"失敗", L" I6", 3, false}, {L"正常", L" I7", 0, false}, {L"録画中", L" I8", 0, true}};
  // A recording of the good run's length, written after it started.
  WriteSparseFile(L"C:\\rec\\正常.ts", 4'000'000'000);
  for (const auto& run : runs) {
    JobFile job = RecorderWorkItem(Parameters(run.name, run.tuner, L"@021 12:00-12:30"), DaysFromToday(5, 11, 59), 1);
    job.status = 0x41300;  // SCHED_S_TASK_READY: it has run
    job.exit_code = run.exit_code;
    const SYSTEMTIME last = DaysFromToday(-1, 11, 59);
    job.last_run_time = {last.wYear, last.wMonth, last.wDayOfWeek, last.wDay, last.wHour, last.wMinute, 0, 0};
    job.running_instance_count = run.running ? 1 : 0;
    StoreWorkItemFile(run.name, job);
  }
  Expect(viewer.WaitForRowCount(9, 5000), L"the runs did not appear");
  Expect(CellOf(viewer, L"失敗", 8).find(L"失敗 (コード 3) ") == 0,
         L"前回 of a failed run: " + CellOf(viewer, L"失敗", 8));
  Expect(CellOf(viewer, L"正常", 8).find(L"正常 ") == 0, L"前回 of a good run: " + CellOf(viewer, L"正常", 8));
  ExpectEqual(CellOf(viewer, L"録画中", 7), L"録画中", L"状態 while it records");

  viewer.Select(L"二番");
  SaveSettledWindowAsPng(viewer.window(), context.out_dir + L"\\brisquet.png");

  // A column's width and the window's place outlive the viewer.
  viewer.SetColumnWidth(0, 222);
  SetWindowPos(viewer.window(), nullptr, 37, 41, 900, 500, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT placed{};
  GetWindowRect(viewer.window(), &placed);
  viewer.Close();
  Expect(viewer.WaitForExit(), L"the viewer did not end");
  Expect(install.Read(L"Brisquet.ini").find("width0=222") != std::string::npos,
         L"Brisquet.ini: " + Utf16FromUtf8(install.Read(L"Brisquet.ini").c_str()));
  auto again = ViewerUnderTest::Start(install.File(L"Brisquet.exe"));
  Expect(again.ColumnWidth(0) == 222, L"the width after a restart is " + std::to_wstring(again.ColumnWidth(0)));
  RECT restored{};
  GetWindowRect(again.window(), &restored);
  Expect(EqualRect(&placed, &restored) != FALSE,
         L"the window came back at " + std::to_wstring(restored.left) + L"," + std::to_wstring(restored.top) + L" " +
             std::to_wstring(restored.right - restored.left) + L"x" + std::to_wstring(restored.bottom - restored.top));
  Expect(again.SortArrow(0) == -1, L"the sort after a restart");
  again.Close();
  Expect(again.WaitForExit(), L"the viewer did not end");
  DeleteAllWorkItems();
}

// A weekly reservation whose name has dots, stored by another program: a
// reservation naming it opens Halvorn on 毎週 with its day ticked.
void DottedWeeklyTaskName(const ScenarioContext& context) {
  InstallFolder install(context, L"dotted");
  install.CopyData(L"channel.txt", L"channel.txt");
  install.Write(L"Halvorn_setting.ini", kSettings);
  const std::wstring name = L"ドラマ.第2期.";
  StoreWorkItemFile(
      name, RecorderWorkItem(Parameters(L"ドラマ", L" I2", L"@011 22:00-22:54"), DaysFromToday(3, 21, 59), 2, 0x08));
  install.Write(L"edit.tvpi",
                "Content-type: application/x-tv-program-info\r\nversion: 1\r\nstation: DFS00400\r\n"
                "start: 22:00\r\nend: 22:54\r\nprogram-title: " +
                    Cp932(L"ドラマ") + "\r\nTASKNAME: " + Cp932(name) + ".job\r\nFX2ID: 2\r\n");
  AppUnderTest halvorn(install.exe(), L"\"" + install.File(L"edit.tvpi") + L"\"");
  halvorn.WaitForDialog();
  ExpectEqual(halvorn.Text(IDC_REGISTRATION_NAME), name, L"registration name");
  Expect(halvorn.Checked(IDC_REPEAT_WEEKLY), L"毎週 is not chosen");
  Expect(halvorn.Checked(IDC_WEDNESDAY), L"Wednesday is not ticked");
  Expect(halvorn.Checked(IDC_DELETE_SAME_NAME), L"同名タスクを削除して登録 is not ticked");
  halvorn.PressCloseButton();
  Expect(halvorn.WaitForExit().has_value(), L"Halvorn did not end");
  DeleteWorkItem(name);
}

// 編集 of a weekly reservation and 登録 without a change: the same work item.
void WeeklyEditRoundTrip(const ScenarioContext& context) {
  InstallFolder install(context, L"weekly_edit");
  InstallViewer(install);
  const std::wstring name = L"週刊";
  // Triggered on Monday and Friday at 23:59 for the broadcasts of Tuesday
  // and Saturday at midnight.
  StoreWorkItemFile(
      name, RecorderWorkItem(Parameters(name.c_str(), L" I3", L"@061 00:00-00:30"), DaysFromToday(1, 23, 59), 2, 0x22));
  const JobFile before = ReadWorkItem(name);
  auto viewer = ViewerUnderTest::Start(install.File(L"Brisquet.exe"));
  Expect(viewer.WaitForRowCount(1), L"the weekly reservation is not listed");
  ExpectEqual(CellOf(viewer, name, 2), L"毎週 火土", L"繰り返し");
  EditAndRegisterUnchanged(viewer, name);
  const JobFile after = ReadWorkItem(name);
  ExpectEqual(Wide(after.parameters), Wide(before.parameters), L"parameters");
  const JobTrigger& was = before.triggers[0];
  const JobTrigger& is = after.triggers[0];
  Expect(is.type == 2 && is.type_data[1] == was.type_data[1] && is.start_hour == was.start_hour &&
             is.start_minute == was.start_minute,
         L"the trigger came back as " + DescribeWorkItem(after));
  viewer.Close();
  Expect(viewer.WaitForExit(), L"the viewer did not end");
  DeleteAllWorkItems();
}

const ScenarioRegistration kScenarios{
    {L"viewer_lists_deletes_and_changes", ViewerListsDeletesAndChanges},
    {L"viewer_tells_the_truth", ViewerTellsTheTruth},
    {L"dotted_weekly_task_name", DottedWeeklyTaskName},
    {L"weekly_edit_round_trip", WeeklyEditRoundTrip},
};

}  // namespace
