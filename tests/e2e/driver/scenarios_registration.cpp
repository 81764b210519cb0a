// Registering in the real dialog: work items in Wine's Task Scheduler, and
// the settings file that outlives the program.
#include <windows.h>

#include "app_under_test.h"
#include "install_folder.h"
#include "resource.h"
#include "scenario.h"
#include "work_items.h"

namespace {

constexpr wchar_t kRegistered[] = L"登録しました";
constexpr wchar_t kDuplicate[] = L"既に同じ登録名があります\r\n違う登録名を入力してください";

// The reservation of a test: a recorder that does not exist, so that the
// scheduler has nothing to start when the trigger is due.
void FillReservation(AppUnderTest& app, const std::wstring& name) {
  SYSTEMTIME start{};
  GetLocalTime(&start);
  start.wHour = 21;
  start.wMinute = 30;
  start.wSecond = 0;
  app.SetPickerTime(IDC_START_TIME, start);
  app.Type(IDC_CAP_STS_PATH, L"C:\\tuner\\cap_sts.exe");
  app.Type(IDC_FOLDER, L"C:\\rec");
  app.Type(IDC_FILE_NAME, L"news");
  app.Type(IDC_CHANNEL, L"101");
  app.Type(IDC_REGISTRATION_NAME, name);
  app.Type(IDC_ACCOUNT, L"recorder");
  app.Type(IDC_PASS, L"pw");
  app.Type(IDC_PASS_CONFIRM, L"pw");
}

void RegisterFromForm(const ScenarioContext& context) {
  InstallFolder install(context, L"registration");
  const std::wstring once = L"HalvornE2E一回";
  const std::wstring weekly = L"HalvornE2E毎週";
  DeleteWorkItem(once);
  DeleteWorkItem(weekly);

  // Tomorrow's broadcast, so that both reservations still lie ahead and
  // collide whenever the test runs.
  install.Write(L"tomorrow.tvpi", Reservation(DaysFromToday(1), L"news", "21:30", "22:00", "0"));
  AppUnderTest app(install.exe(), L"\"" + install.File(L"tomorrow.tvpi") + L"\"");
  app.AnswerMessageBox();  // its station is in no channel table here
  app.WaitForDialog();
  FillReservation(app, once);
  const std::wstring preview = app.Text(IDC_COMMAND_PREVIEW);
  const std::wstring parameters = preview.substr(preview.find(L' ') + 1);
  app.ClickLater(IDC_REGISTER);
  ExpectEqual(app.AnswerMessageBox().value_or(L"(none)"), kRegistered, L"message");

  const JobFile job = ReadWorkItem(once);
  ExpectEqual(Wide(job.application_name), L"C:\\tuner\\cap_sts.exe", L"application");
  ExpectEqual(Wide(job.parameters), parameters, L"parameters");
  ExpectEqual(Wide(job.working_directory), L"C:\\rec", L"working folder");
  Expect(job.flags == 0x2000, L"flags " + std::to_wstring(job.flags));
  const JobTrigger& trigger = job.triggers[0];
  const SYSTEMTIME date = app.CalendarDate(IDC_START_DATE);
  Expect(trigger.type == 0, L"trigger type " + std::to_wstring(trigger.type));
  Expect(trigger.begin_year == date.wYear && trigger.begin_month == date.wMonth && trigger.begin_day == date.wDay,
         L"begin date");
  Expect(trigger.start_hour == 21 && trigger.start_minute == 29, L"start time, one minute early");

  app.ClickLater(IDC_REGISTER);
  ExpectEqual(app.AnswerMessageBox().value_or(L"(none)"), kDuplicate, L"second registration");

  // Weekly on Monday, Wednesday and Friday, deleted when done, waking the computer.
  app.Type(IDC_REGISTRATION_NAME, weekly);
  app.Click(IDC_REPEAT_WEEKLY);
  for (int day = 0; day < 7; ++day) app.SetChecked(IDC_SUNDAY + day, day == 1 || day == 3 || day == 5);
  app.SetChecked(IDC_DEL_TASK, true);
  app.SetChecked(IDC_RESUME, true);
  const int start_weekday = app.CalendarDate(IDC_START_DATE).wDayOfWeek;
  app.ClickLater(IDC_REGISTER);
  // Both record on the default tuner at the same time: Halvorn asks first.
  const auto question = app.AnswerQuestion(true);
  Expect(question.value_or(L"").find(L"\r\n「" + once + L"」 ") != std::wstring::npos,
         L"the question before the weekly one: " + question.value_or(L"(none)"));
  ExpectEqual(app.AnswerMessageBox().value_or(L"(none)"), kRegistered, L"weekly message");
  const JobFile weekly_job = ReadWorkItem(weekly);
  const int expected_days = 0x2A | (1 << start_weekday);  // the start date's weekday stays ticked
  Expect(weekly_job.triggers[0].type == 2, L"weekly trigger type");
  Expect(weekly_job.triggers[0].type_data[1] == expected_days,
         L"weekly days " + std::to_wstring(weekly_job.triggers[0].type_data[1]));
  Expect(weekly_job.flags == 0x3002, L"weekly flags " + std::to_wstring(weekly_job.flags));

  // A reservation naming this work item reads its repeat mode and days back,
  // although the Task Scheduler keeps a signature after the trigger.
  const std::string stored = ReadBytes(WorkItemPath(weekly));
  const auto back = ReadStoredTrigger(stored);
  Expect(back && back->type == 2 && (back->days & 0x7F) == expected_days, L"the stored trigger reads back");
  install.Write(L"wine_weekly.job", stored);

  app.PressCloseButton();
  Expect(app.WaitForExit().has_value(), L"the program did not end");
}

void NoSchedulerToReach(const ScenarioContext& context) {
  InstallFolder install(context, L"no scheduler");
  const std::wstring name = L"HalvornE2EUnreachable";
  DeleteWorkItem(name);
  AppUnderTest app(install.exe(), L"");
  app.WaitForDialog();
  FillReservation(app, name);
  app.ClickLater(IDC_REGISTER);
  ExpectEqual(app.AnswerMessageBox().value_or(L"(none)"), L"オブジェクトの作成に失敗しました", L"message");
  Expect(!WorkItemExists(name), L"a work item was stored");
  Expect(app.Running(), L"the dialog closed");
  app.PressCloseButton();
  app.WaitForExit();
}

void SettingsSurviveARestart(const ScenarioContext& context) {
  InstallFolder install(context, L"settings");
  {
    AppUnderTest app(install.exe(), L"");
    app.WaitForDialog();
    app.Type(IDC_FOLDER, L"D:\\録画");
    app.Type(IDC_CHANNEL, L"B101");
    app.Type(IDC_ACCOUNT, L"録画係");
    app.Type(IDC_PASS, L"秘密");
    app.SetChecked(IDC_RESUME, true);
    app.SetChecked(IDC_SUBTITLE, false);
    app.PressCloseButton();
    Expect(app.WaitForExit().has_value(), L"the program did not end");
  }
  // Every key in its order, blank lines between sections aside, in code page 932.
  const std::wstring expected_lines[] = {L"[system]",
                                         L"autoclose=0",
                                         L"cursor=0",
                                         L"option_number=1",
                                         L"offset_min=1",
                                         L"[general]",
                                         L"channel=B101",
                                         L"subtitle=0",
                                         L"extend=0",
                                         L"parentheses=0",
                                         L"[cap_sts]",
                                         L"title=default",
                                         L"cap_sts_path=cap_sts.exe",
                                         L"folder=D:\\録画",
                                         L"vlc_parm=",
                                         L"id=0",
                                         L"fileext=.ts",
                                         L"power_on=0",
                                         L"power_off=0",
                                         L"bcs=1",
                                         L"b25=0",
                                         L"vlc=0",
                                         L"sel=0",
                                         L"sus=0",
                                         L"rmc=0",
                                         L"[task]",
                                         L"account=録画係",
                                         L"pass=秘密",
                                         L"del_task=0",
                                         L"resume=1"};
  std::string expected;
  for (const auto& line : expected_lines) expected += Cp932(line) + "\r\n";
  const std::string written = SignificantLines(install.Read(L"Halvorn_setting.ini"));
  Expect(written == expected, L"the settings file differs:\n" + Utf16FromUtf8(written.c_str()));

  AppUnderTest again(install.exe(), L"");
  again.WaitForDialog();
  ExpectEqual(again.Text(IDC_FOLDER), L"D:\\録画", L"folder");
  ExpectEqual(again.Text(IDC_CHANNEL), L"B101", L"channel");
  ExpectEqual(again.Text(IDC_ACCOUNT), L"録画係", L"account");
  ExpectEqual(again.Text(IDC_PASS_CONFIRM), L"秘密", L"password confirmation");
  Expect(again.Checked(IDC_RESUME) && !again.Checked(IDC_SUBTITLE), L"check boxes");
  again.PressCloseButton();
  again.WaitForExit();
}

const ScenarioRegistration kScenarios{
    {L"register_from_form", RegisterFromForm},
    {L"no_scheduler_to_reach", NoSchedulerToReach},
    {L"settings_survive_restart", SettingsSurviveARestart},
};

}  // namespace
