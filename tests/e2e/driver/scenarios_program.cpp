// The whole program: a browser hands it a reservation with the switch, the
// profile tabs, the encoder presets.
#include <windows.h>

#include <cstdio>

#include "app_under_test.h"
#include "install_folder.h"
#include "resource.h"
#include "scenario.h"
#include "work_items.h"

namespace {

// What a user has set up once: a recorder (that does not exist, so the
// scheduler has nothing to start), an output folder, a tuner and an account.
const wchar_t kSettings[] =
    L"[cap_sts]\r\ncap_sts_path=C:\\nonexistent\\cap_sts.exe\r\nfolder=C:\\rec\r\nid=2\r\nvlc_parm=ffmpeg:x264\r\n"
    L"[task]\r\naccount=recorder\r\npass=pw\r\n";
const wchar_t kLateNightName[] = L"深夜アニメ[新]";

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

void InstallWithReservation(InstallFolder& install, std::wstring& reservation) {
  install.CopyData(L"channel.txt", L"channel.txt");
  install.Write(L"Halvorn_setting.ini", Cp932(kSettings));
  reservation = install.CopyData(L"late_night.tvpi", L"guide downloads\\late night.tvpi");
  DeleteWorkItem(kLateNightName);
}

void AutomaticRegistration(const ScenarioContext& context) {
  InstallFolder install(context, L"automatic");
  std::wstring reservation;
  InstallWithReservation(install, reservation);
  AppUnderTest app(install.exe(), L"-auto " + Quoted(reservation));
  const auto code = app.WaitForExit(30000);
  Expect(!app.HasMessageBox(), L"a message box is open");
  Expect(code.has_value(), L"the program did not end by itself");
  Expect(*code == 0, L"exit code " + std::to_wstring(*code));

  const JobFile job = ReadWorkItem(kLateNightName);
  ExpectEqual(Wide(job.application_name), L"C:\\nonexistent\\cap_sts.exe", L"application");
  ExpectEqual(Wide(job.parameters), L"\"C:\\rec\\深夜アニメ[新]-第１話.ts\" I2 @071 01:30-02:24 B", L"parameters");
  ExpectEqual(Wide(job.working_directory), L"C:\\rec", L"working folder");
  const JobTrigger& t = job.triggers[0];
  Expect(t.type == 0 && t.begin_year == 2030 && t.begin_month == 2 && t.begin_day == 1 && t.start_hour == 1 &&
             t.start_minute == 29,
         L"trigger: once on 2030-02-01 at 01:29");
  Expect(install.Read(L"Halvorn_setting.ini").find("option_number=1") != std::string::npos,
         L"the settings were not written");
  DeleteWorkItem(kLateNightName);
}

void QuietSwitch(const ScenarioContext& context) {
  InstallFolder install(context, L"quiet");
  std::wstring reservation;
  InstallWithReservation(install, reservation);
  AppUnderTest app(install.exe(), L"-auto1 " + Quoted(reservation));
  app.WaitForDialog();
  Sleep(1500);
  Expect(app.Running() && !app.HasMessageBox(), L"the dialog did not stay open quietly");
  ExpectEqual(app.Text(IDC_FILE_NAME), L"深夜アニメ[新]-第１話", L"file name");
  Expect(!WorkItemExists(kLateNightName), L"something was registered");
  app.PressCloseButton();
  app.WaitForExit();
}

std::wstring Captions(AppUnderTest& app) {
  std::wstring captions;
  for (int i = 0; i < app.TabCount(IDC_PROFILE_TABS); ++i) captions += L"[" + app.TabText(IDC_PROFILE_TABS, i) + L"]";
  return captions;
}

void AddProfile(AppUnderTest& app, const std::wstring& name) {
  const int before = app.TabCount(IDC_PROFILE_TABS);
  app.ClickLater(IDC_ADD_PROFILE);
  HWND name_dialog = app.WaitForOtherDialog(L"設定名入力ダイアログ");
  app.TypeIn(name_dialog, IDC_PROFILE_NAME, name);
  app.ClickLaterIn(name_dialog, IDOK);
  for (int i = 0; i < 100 && app.TabCount(IDC_PROFILE_TABS) == before; ++i) Sleep(50);
}

void ProfileTabs(const ScenarioContext& context) {
  InstallFolder install(context, L"profiles");
  {
    AppUnderTest app(install.exe(), L"");
    app.WaitForDialog();
    app.Type(IDC_FOLDER, L"D:\\first");
    AddProfile(app, L"地デジ");
    ExpectEqual(Captions(app), L"[default][地デジ]", L"tabs after adding");
    Expect(app.TabSelection(IDC_PROFILE_TABS) == 1, L"the new tab is selected");
    app.Type(IDC_FOLDER, L"D:\\second");
    app.Type(IDC_FILE_NAME, L"shared");
    app.ClickTab(IDC_PROFILE_TABS, 0);
    ExpectEqual(app.Text(IDC_FOLDER), L"D:\\first", L"first tab's folder");
    ExpectEqual(app.Text(IDC_FILE_NAME), L"shared", L"file name after switching");
    app.ClickTab(IDC_PROFILE_TABS, 1);
    ExpectEqual(app.Text(IDC_FOLDER), L"D:\\second", L"second tab's folder");
    AddProfile(app, L"BS");
    ExpectEqual(Captions(app), L"[default][地デジ][BS]", L"tabs after adding again");
    ExpectEqual(app.Text(IDC_FOLDER), L"D:\\second", L"a new profile copies the current one");
    app.ClickTab(IDC_PROFILE_TABS, 1);
    app.Click(IDC_DELETE_PROFILE);
    ExpectEqual(Captions(app), L"[default][BS]", L"tabs after deleting");
    Expect(app.TabSelection(IDC_PROFILE_TABS) == 0, L"the first tab is selected after deleting");
    ExpectEqual(app.Text(IDC_FOLDER), L"D:\\first", L"the first profile is shown");
    app.PressCloseButton();
    Expect(app.WaitForExit().has_value(), L"the program did not end");
  }
  const std::string saved = install.Read(L"Halvorn_setting.ini");
  for (const wchar_t* expected : {L"option_number=2", L"[cap_sts]\r\ntitle=default", L"folder=D:\\first",
                                  L"[cap_sts_1]\r\ntitle=BS", L"folder=D:\\second"}) {
    Expect(saved.find(Cp932(expected)) != std::string::npos, std::wstring(L"the settings file lacks ") + expected);
  }
}

void EncoderPresets(const ScenarioContext& context) {
  InstallFolder install(context, L"presets");
  install.Write(L"cap_sts_sea.ini", "[VLC_SETTING]\r\nVLC_PATH=C:\\vlc\r\nh264=--sout a\r\nmpeg2 =--sout b\r\n"
                                    "[FFMPEG_SETTING]\r\nx264=-vcodec libx264\r\n; comment=1\r\n");
  install.Write(L"Halvorn_setting.ini", Cp932(kSettings));
  AppUnderTest app(install.exe(), L"");
  app.WaitForDialog();
  const auto items = app.ComboItems(IDC_ENCODER_PRESETS);
  std::wstring joined;
  for (const auto& item : items) joined += L"[" + item + L"]";
  ExpectEqual(joined, L"[vlc:h264][vlc:mpeg2][ffmpeg:x264]", L"presets");
  Expect(app.ComboSelection(IDC_ENCODER_PRESETS) == 2, L"the profile's preset is selected");
  app.PressCloseButton();
  app.WaitForExit();
}

// The README's demonstration: a reservation from examples/ registered
// without a click, and the stored work item shown.
void Demo(const ScenarioContext& context) {
  Expect(!context.extra.empty(), L"the demo needs the examples folder");
  const std::wstring examples = context.extra[0];
  InstallFolder install(context, L"demo");
  for (const wchar_t* file : {L"channel.txt", L"Halvorn_setting.ini", L"cap_sts_sea.ini"}) {
    Expect(CopyFileW((examples + L"\\" + file).c_str(), install.File(file).c_str(), FALSE) != 0,
           std::wstring(L"cannot copy ") + file);
  }
  const std::wstring reservation = install.File(L"reservation.tvpi");
  CopyFileW((examples + L"\\reservation.tvpi").c_str(), reservation.c_str(), FALSE);
  const std::wstring name = L"ニュース7";
  DeleteWorkItem(name);
  std::printf("Halvorn2.exe -auto \"%s\"\n", Utf8(reservation).c_str());
  AppUnderTest app(install.exe(), L"-auto " + Quoted(reservation));
  const auto code = app.WaitForExit(30000);
  Expect(code.has_value(), L"Halvorn2.exe did not finish: " + app.AnswerMessageBox(1000).value_or(L"no message"));
  std::printf("registered work item %s.job:\n%s", Utf8(name).c_str(), Utf8(DescribeWorkItem(ReadWorkItem(name))).c_str());
}

const ScenarioRegistration kScenarios{
    {L"automatic_registration", AutomaticRegistration},
    {L"quiet_switch", QuietSwitch},
    {L"profile_tabs", ProfileTabs},
    {L"encoder_presets", EncoderPresets},
    {L"demo", Demo},
};

}  // namespace
