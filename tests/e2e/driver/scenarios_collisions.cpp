// Recordings the user can count on: Halvorn asks before it stores a
// reservation over another on the same tuner, by hand and unattended, and
// says so when the settings cannot be saved.
#include <windows.h>

#include <cstdio>

#include "app_under_test.h"
#include "install_folder.h"
#include "png_writer.h"
#include "program_windows.h"
#include "resource.h"
#include "scenario.h"
#include "work_items.h"

namespace {

// The one profile is tuner 2 itself: no other tuner of its program to offer.
const char kSettings[] =
    "[cap_sts]\r\ncap_sts_path=C:\\tuner\\cap_sts.exe\r\nfolder=C:\\rec\r\nid=2\r\n"
    "[task]\r\naccount=recorder\r\npass=\r\n";

constexpr wchar_t kAsks[] = L"は同じチューナーの次の予約と時間が重なります。";

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

void CollisionQuestion(const ScenarioContext& context) {
  InstallFolder install(context, L"collisions");
  install.CopyData(L"channel.txt", L"channel.txt");
  install.Write(L"Halvorn_setting.ini", kSettings);
  DeleteAllWorkItems();
  const SYSTEMTIME day = DaysFromToday(3);
  StoreWorkItemFile(L"先の予約",
                    RecorderWorkItem(L"\"C:\\rec\\先の予約.ts\" I2 @011 21:00-22:00 B", DaysFromToday(3, 20, 59)));

  // By hand: the question names the stored reservation; いいえ stores
  // nothing, はい stores it and says so.
  install.Write(L"b.tvpi", Reservation(day, L"後の予約", "21:30", "22:30", "02"));
  {
    AppUnderTest app(install.exe(), Quoted(install.File(L"b.tvpi")));
    app.WaitForDialog();
    app.ClickLater(IDC_REGISTER);
    HWND box = nullptr;
    for (int i = 0; i < 150 && box == nullptr; ++i, Sleep(100)) box = FindTopLevel(app.process_id(), L"Halvorn2");
    Expect(box != nullptr, L"no question before the collision");
    Sleep(300);
    SaveWindowAsPng(box, context.out_dir + L"\\collision-question.png");
    const auto no = app.AnswerQuestion(false);
    Expect(no.value_or(L"").find(std::wstring(L"「後の予約」") + kAsks + L"\r\n「先の予約」 ") == 0,
           L"the question: " + no.value_or(L"(none)"));
    ExpectNoStoresNothingAndYesStores(app, L"後の予約");
  }

  // Unattended: the question too; いいえ leaves the dialog open with nothing
  // stored, and a later 登録 ends the run.
  install.Write(L"c.tvpi", Reservation(day, L"自動の予約", "21:15", "21:45", "2"));
  {
    AppUnderTest app(install.exe(), L"-auto " + Quoted(install.File(L"c.tvpi")));
    Expect(app.AnswerQuestion(false).value_or(L"").find(kAsks) != std::wstring::npos, L"-auto did not ask");
    Sleep(500);
    Expect(app.Running() && !WorkItemExists(L"自動の予約"), L"いいえ did not leave the dialog open and empty");
    app.WaitForDialog();
    app.ClickLater(IDC_REGISTER);
    Expect(app.AnswerQuestion(true).has_value(), L"no question on 登録");
    Expect(app.WaitForExit().has_value(), L"the automatic run did not end after はい");
    Expect(WorkItemExists(L"自動の予約"), L"はい stored nothing");
  }

  // The same time on another tuner: no question, no message.
  install.Write(L"d.tvpi", Reservation(day, L"別の予約", "21:00", "22:00", "3"));
  {
    AppUnderTest app(install.exe(), L"-auto " + Quoted(install.File(L"d.tvpi")));
    const auto code = app.WaitForExit(30000);
    Expect(code.has_value() && *code == 0,
           L"another tuner did not register silently: " + app.AnswerMessageBox(500).value_or(L"no message"));
    Expect(WorkItemExists(L"別の予約"), L"another tuner stored nothing");
  }
  DeleteAllWorkItems();
}

void UnsavedSettingsReported(const ScenarioContext& context) {
  InstallFolder install(context, L"unsaved");
  CreateDirectoryW(install.File(L"Halvorn_setting.ini").c_str(), nullptr);
  AppUnderTest app(install.exe(), L"");
  app.WaitForDialog();
  app.PressCloseButton();
  const auto message = app.AnswerMessageBox();
  Expect(message.value_or(L"").find(L"設定を保存できませんでした。\r\n" + install.File(L"Halvorn_setting.ini") +
                                    L"\r\n") == 0,
         L"on close: " + message.value_or(L"(none)"));
  Expect(app.WaitForExit().has_value(), L"Halvorn did not end after the message");
}

const ScenarioRegistration kScenarios{
    {L"collision_question", CollisionQuestion},
    {L"unsaved_settings_reported", UnsavedSettingsReported},
};

}  // namespace
