// Will it record, and did it: the viewer marks a reservation whose recorder
// or folder is gone, a disk too small for the week, and a last run that left
// no file; Halvorn asks before it stores a reservation into a missing folder.
#include <windows.h>

#include "app_under_test.h"
#include "install_folder.h"
#include "png_writer.h"
#include "resource.h"
#include "scenario.h"
#include "viewer_under_test.h"
#include "work_items.h"

namespace {

constexpr int kState = 7;
constexpr int kLastRun = 8;

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

void ViewerSeesWhatRecordingsNeed(const ScenarioContext& context) {
  InstallFolder install(context, L"needs");
  install.CopyProgram(L"Brisquet.exe");
  install.CopyData(L"channel.txt", L"channel.txt");
  install.Write(L"Halvorn_setting.ini",
                "[cap_sts]\r\ncap_sts_path=C:\\tuner\\cap_sts.exe\r\nfolder=R:\\rec\r\nid=1\r\n");
  DeleteAllWorkItems();

  // A week of daily two-hour recordings onto the small drive R:.
  CreateDirectoryW(L"R:\\rec", nullptr);
  ULARGE_INTEGER free{};
  Expect(GetDiskFreeSpaceExW(L"R:\\rec\\", &free, nullptr, nullptr) != FALSE, L"the bench has no drive R:");
  StoreWorkItemFile(L"毎日",
                    RecorderWorkItem(L"\"R:\\rec\\毎日.ts\" I1 @011 20:00-22:00 B", DaysFromToday(1, 19, 59), 1));
  // Where the bench could not make R: small, one earlier minute of
  // recording as large as a tenth of the drive teaches the rate instead.
  if (free.QuadPart > 50'000'000'000ULL) {
    StoreWorkItemFile(L"前の録画",
                      RecorderWorkItem(L"\"R:\\rec\\前の録画.ts\" I1 @011 20:00-20:01 B", DaysFromToday(-3, 19, 59)));
    WriteSparseFile(L"R:\\rec\\前の録画.ts", free.QuadPart / 10);
  }

  JobFile old_recorder =
      RecorderWorkItem(L"\"C:\\rec\\旧録画ソフト.ts\" I2 @041 21:00-21:30 B", DaysFromToday(2, 20, 59));
  old_recorder.application_name = u"C:\\old\\cap_sts.exe";
  StoreWorkItemFile(L"旧録画ソフト", old_recorder);
  StoreWorkItemFile(L"外したディスク", RecorderWorkItem(L"\"C:\\gone\\外したディスク.ts\" I3 @061 22:00-22:30 B",
                                                        DaysFromToday(3, 21, 59)));
  // Yesterday's run ended with code 0 and left nothing.
  JobFile empty_run = RecorderWorkItem(L"\"C:\\rec\\空振り.ts\" I4 @021 12:00-12:30 B", DaysFromToday(5, 11, 59), 1);
  empty_run.status = 0x41300;  // SCHED_S_TASK_READY: it has run
  const SYSTEMTIME last = DaysFromToday(-1, 11, 59);
  empty_run.last_run_time = {last.wYear, last.wMonth, last.wDayOfWeek, last.wDay, last.wHour, last.wMinute, 0, 0};
  DeleteFileW(L"C:\\rec\\空振り.ts");
  StoreWorkItemFile(L"空振り", empty_run);

  auto viewer = ViewerUnderTest::Start(install.File(L"Brisquet.exe"));
  Expect(viewer.WaitForRowCount(free.QuadPart > 50'000'000'000ULL ? 5 : 4), L"the reservations are not listed");
  ExpectEqual(viewer.Cell(L"外したディスク", kState), L"保存先なし", L"状態 without the folder");
  ExpectEqual(viewer.Cell(L"旧録画ソフト", kState), L"録画プログラムなし", L"状態 without the recorder");
  ExpectEqual(viewer.Cell(L"毎日", kState), L"", L"状態 with both");
  Expect(viewer.Cell(L"空振り", kLastRun).starts_with(L"要確認 (ファイルなし) "),
         L"前回 of a run that left nothing: " + viewer.Cell(L"空振り", kLastRun));
  const std::wstring disk = viewer.DiskNote();
  Expect(disk.starts_with(L"R: の空き容量 ") && disk.find(L"今後 7 日の録画 (") != std::wstring::npos &&
             disk.ends_with(L"が入りきりません。"),
         L"the disk line: " + disk);
  viewer.Select(L"外したディスク");
  Expect(viewer.Note().find(L"の録画先 C:\\gone がありません。") != std::wstring::npos,
         L"the note of the row: " + viewer.Note());
  SaveSettledWindowAsPng(viewer.window(), context.out_dir + L"\\brisquet-checks.png");
  viewer.Close();
  Expect(viewer.WaitForExit(), L"the viewer did not end");
  DeleteAllWorkItems();
}

// Yesterday's two recordings into one folder both left 12 MB, as an
// unplugged antenna leaves them: each is judged by what good recordings
// taught, not by the other, so both read 要確認. A recording under way is
// judged by nothing yet, whatever its file holds.
void FailedRecordingsTeachNothing(const ScenarioContext& context) {
  InstallFolder install(context, L"failed_runs");
  install.CopyProgram(L"Brisquet.exe");
  install.Write(L"Halvorn_setting.ini", "[cap_sts]\r\ncap_sts_path=C:\\tuner\\cap_sts.exe\r\nid=1\r\n");
  DeleteAllWorkItems();
  CreateDirectoryW(L"C:\\rec", nullptr);
  const SYSTEMTIME yesterday = DaysFromToday(-1, 20, 59);
  const auto ran = [&](const wchar_t* name, int tuner, std::uint32_t status) {
    const std::wstring output = std::wstring(L"C:\\rec\\") + name + L".ts";
    JobFile job = RecorderWorkItem(L"\"" + output + L"\" I" + std::to_wstring(tuner) + L" @011 21:00-22:00 B",
                                   DaysFromToday(-3, 20, 59), 1);
    job.status = status;
    job.last_run_time = {yesterday.wYear, yesterday.wMonth, yesterday.wDayOfWeek, yesterday.wDay, 20, 59, 0, 0};
    StoreWorkItemFile(name, job);
    return output;
  };
  WriteSparseFile(ran(L"ドラマ", 1, 0x41300), 12'000'000);
  WriteSparseFile(ran(L"映画", 2, 0x41300), 12'000'000);
  WriteSparseFile(ran(L"録画中の番組", 3, 0x41301), 8'000'000'000ULL);

  auto viewer = ViewerUnderTest::Start(install.File(L"Brisquet.exe"));
  Expect(viewer.WaitForRowCount(3), L"the reservations are not listed");
  for (const wchar_t* failed : {L"ドラマ", L"映画"}) {
    Expect(viewer.Cell(failed, kLastRun).starts_with(L"要確認 (12 MB) "),
           std::wstring(L"前回 of ") + failed + L": " + viewer.Cell(failed, kLastRun));
  }
  ExpectEqual(viewer.Cell(L"録画中の番組", kState), L"録画中", L"状態 of the recording under way");
  ExpectEqual(viewer.Cell(L"録画中の番組", kLastRun), L"", L"前回 of the recording under way");
  viewer.Close();
  Expect(viewer.WaitForExit(), L"the viewer did not end");
  DeleteAllWorkItems();
}

// The folder of the profile is gone: the question names it, いいえ stores
// nothing and はい stores the reservation all the same.
void MissingFolderAsked(const ScenarioContext& context) {
  InstallFolder install(context, L"missing_folder");
  install.CopyData(L"channel.txt", L"channel.txt");
  install.Write(L"Halvorn_setting.ini",
                "[cap_sts]\r\ncap_sts_path=C:\\tuner\\cap_sts.exe\r\nfolder=C:\\gone\\rec\r\nid=2\r\n"
                "[task]\r\naccount=recorder\r\npass=\r\n");
  DeleteAllWorkItems();
  install.Write(L"a.tvpi", Reservation(DaysFromToday(3), L"行き先なし", "21:00", "21:30", "2"));
  AppUnderTest app(install.exe(), Quoted(install.File(L"a.tvpi")));
  app.WaitForDialog();
  app.ClickLater(IDC_REGISTER);
  ExpectEqual(app.AnswerQuestion(false).value_or(L"(none)"),
              L"「行き先なし」の録画先 C:\\gone\\rec がありません。\r\nこのまま登録しますか？", L"the question");
  Sleep(300);
  ExpectNoStoresNothingAndYesStores(app, L"行き先なし");
  DeleteAllWorkItems();
}

const ScenarioRegistration kRegistration{
    {L"viewer_sees_what_recordings_need", ViewerSeesWhatRecordingsNeed},
    {L"missing_folder_asked", MissingFolderAsked},
    {L"failed_recordings_teach_nothing", FailedRecordingsTeachNothing},
};

}  // namespace
