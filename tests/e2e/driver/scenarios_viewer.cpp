// Brisquet, the reservation viewer: started from Halvorn, it lists the
// recording reservations, marks the two that need one tuner at one time,
// deletes one and hands another back to Halvorn for a change.
#include <windows.h>

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
    "[cap_sts]\r\ncap_sts_path=C:\\nonexistent\\cap_sts.exe\r\nfolder=C:\\rec\r\nid=1\r\n"
    "[task]\r\naccount=recorder\r\npass=\r\n";

const wchar_t kFirst[] = L"重複A";
const wchar_t kSecond[] = L"重複B";
const wchar_t kOtherTuner[] = L"別チューナー";

// Two days from now, so that the recordings lie within the fortnight the
// viewer looks for collisions in.
SYSTEMTIME TwoDaysAhead() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  FILETIME time{};
  SystemTimeToFileTime(&now, &time);
  ULARGE_INTEGER value{{time.dwLowDateTime, time.dwHighDateTime}};
  value.QuadPart += 2ull * 24 * 60 * 60 * 10000000;
  time = {value.LowPart, value.HighPart};
  SYSTEMTIME ahead{};
  FileTimeToSystemTime(&time, &ahead);
  return ahead;
}

std::string Reservation(const SYSTEMTIME& day, const std::wstring& title, const char* start, const char* end,
                        const char* tuner) {
  char date[64];
  std::snprintf(date, sizeof date, "year: %u\r\nmonth: %u\r\ndate: %u\r\n", day.wYear, day.wMonth, day.wDay);
  return "Content-type: application/x-tv-program-info\r\nversion: 1\r\nstation: DFS00400\r\n" + std::string(date) +
         "start: " + start + "\r\nend: " + end + "\r\nprogram-title: " + Cp932(title) + "\r\nFX2ID: " + tuner + "\r\n";
}

void RegisterAutomatically(InstallFolder& install, const std::string& reservation) {
  install.Write(L"r.tvpi", reservation);
  AppUnderTest app(install.exe(), L"-auto \"" + install.File(L"r.tvpi") + L"\"");
  const auto code = app.WaitForExit(30000);
  Expect(code.has_value() && *code == 0, L"an automatic registration did not end: " +
                                              app.AnswerMessageBox(500).value_or(L"no message"));
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
  install.CopyProgram(L"Brisquet.exe");
  install.CopyData(L"channel.txt", L"channel.txt");
  install.Write(L"Halvorn_setting.ini", kSettings);
  DeleteAllWorkItems();
  const SYSTEMTIME day = TwoDaysAhead();
  RegisterAutomatically(install, Reservation(day, kFirst, "21:00", "22:00", "2"));
  RegisterAutomatically(install, Reservation(day, kSecond, "21:30", "22:30", "2"));
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
              std::wstring(L"[") + kOtherTuner + L"|3|][" + kFirst + L"|2|重複][" + kSecond + L"|2|重複]",
              L"rows (name|tuner|state)");
  viewer.Select(kFirst);
  Sleep(300);
  Expect(viewer.Note().find(std::wstring(L"「") + kSecond + L"」と重複") == 0, L"the note says " + viewer.Note());
  RedrawWindow(viewer.window(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Sleep(500);
  SaveWindowAsPng(viewer.window(), context.out_dir + L"\\brisquet.png");

  // 削除, answered with はい.
  viewer.Select(kSecond);
  viewer.ClickLater(IDC_DELETE_RESERVATION);
  const auto question = viewer.AnswerYes();
  ExpectEqual(question.value_or(L"(none)"), std::wstring(L"「") + kSecond + L"」を削除しますか？", L"question");
  Expect(viewer.WaitForRowCount(2), L"the list was not read again");
  Expect(!WorkItemExists(kSecond), L"the work item is still stored");
  ExpectEqual(Joined(Names(viewer)), std::wstring(L"[") + kOtherTuner + L"|3|][" + kFirst + L"|2|]",
              L"rows after deleting");

  // 編集: Halvorn opens with the stored reservation, and 登録 replaces it.
  viewer.Select(kFirst);
  viewer.ClickLater(IDC_EDIT_RESERVATION);
  HWND dialog = nullptr;
  for (int i = 0; i < 300 && dialog == nullptr; ++i, Sleep(100)) dialog = FindTopLevel(0, L"Halvorn Ver 2.3");
  Expect(dialog != nullptr, L"編集 did not open Halvorn");
  AppUnderTest halvorn(dialog);
  SendAndWait(dialog, WM_NULL, 0, 0);
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

const ScenarioRegistration kScenarios{
    {L"viewer_lists_deletes_and_changes", ViewerListsDeletesAndChanges},
};

}  // namespace
