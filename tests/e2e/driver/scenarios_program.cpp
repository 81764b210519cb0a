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
    L"[cap_sts]\r\ncap_sts_path=C:\\tuner\\cap_sts.exe\r\nfolder=C:\\rec\r\nid=2\r\nvlc_parm=ffmpeg:x264\r\n"
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
  ExpectEqual(Wide(job.application_name), L"C:\\tuner\\cap_sts.exe", L"application");
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
  install.Write(L"cap_sts_sea.ini",
                "[VLC_SETTING]\r\nVLC_PATH=C:\\vlc\r\nh264=--sout a\r\nmpeg2 =--sout b\r\n"
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

// A reservation registered once, then handed over again naming its own work
// item, as a TV viewer does to change it: 登録 replaces the stored one.
void ReplaceStoredReservation(const ScenarioContext& context) {
  InstallFolder install(context, L"replace");
  install.CopyData(L"channel.txt", L"channel.txt");
  install.Write(L"Halvorn_setting.ini", Cp932(kSettings));
  const std::wstring name = L"置き換え番組";
  DeleteWorkItem(name);
  const std::string header =
      "Content-type: application/x-tv-program-info\r\nversion: 1\r\nstation: DFS00400\r\nyear: 2030\r\n"
      "month: 3\r\ndate: 3\r\nprogram-title: " +
      Cp932(name) + "\r\n";
  const std::wstring first = install.File(L"first.tvpi");
  install.Write(L"first.tvpi", header + "start: 20:00\r\nend: 20:30\r\n");
  {
    AppUnderTest app(install.exe(), L"-auto " + Quoted(first));
    Expect(app.WaitForExit(30000).has_value(), L"the first registration did not end");
  }
  Expect(Wide(ReadWorkItem(name).parameters).find(L"20:00-20:30") != std::wstring::npos, L"first registration");

  install.Write(L"second.tvpi", header + "start: 21:00\r\nend: 21:45\r\nTASKNAME: " + Cp932(name) + ".job\r\n");
  AppUnderTest app(install.exe(), L"-auto " + Quoted(install.File(L"second.tvpi")));
  app.WaitForDialog();
  Sleep(1000);
  Expect(app.Running() && !app.HasMessageBox(), L"the dialog did not stay open quietly");
  Expect(app.Checked(IDC_DELETE_SAME_NAME), L"同名タスクを削除して登録 is not ticked");
  ExpectEqual(app.Text(IDC_REGISTRATION_NAME), name, L"registration name");
  app.ClickLater(IDC_REGISTER);
  const auto message = app.AnswerMessageBox(3000);
  Expect(!message.has_value(), L"a message after 登録: " + message.value_or(L""));
  const JobFile job = ReadWorkItem(name);
  ExpectEqual(Wide(job.parameters), L"\"C:\\rec\\置き換え番組.ts\" I2 @011 21:00-21:45 B", L"replaced parameters");
  Expect(job.triggers[0].start_hour == 20 && job.triggers[0].start_minute == 59, L"replaced start time");
  app.PressCloseButton();
  Expect(app.WaitForExit().has_value(), L"the program did not end");
  DeleteWorkItem(name);
}

// A profile saved with one preset keeps it, although a longer preset that
// begins with the same text comes after it in the list.
void SavedPresetKept(const ScenarioContext& context) {
  InstallFolder install(context, L"saved preset");
  install.Write(L"cap_sts_sea.ini", "[VLC_SETTING]\r\nh264=--sout a\r\nh264hq=--sout b\r\n");
  install.Write(L"Halvorn_setting.ini", "[cap_sts]\r\nvlc_parm=vlc:h264\r\n");
  {
    AppUnderTest app(install.exe(), L"");
    app.WaitForDialog();
    Expect(app.ComboSelection(IDC_ENCODER_PRESETS) == 0, L"the list does not open on vlc:h264");
    app.Type(IDC_CHANNEL, L"021");
    Expect(app.ComboSelection(IDC_ENCODER_PRESETS) == 0, L"a change elsewhere moved the preset");
    app.PressCloseButton();
    Expect(app.WaitForExit().has_value(), L"the program did not end");
  }
  const std::string saved = install.Read(L"Halvorn_setting.ini");
  Expect(saved.find("vlc_parm=vlc:h264\r\n") != std::string::npos, L"the settings file lost vlc:h264");

  // The platform's list finds nothing for an empty text: no preset is chosen.
  install.Write(L"Halvorn_setting.ini", "[cap_sts]\r\nvlc_parm=\r\n");
  AppUnderTest again(install.exe(), L"");
  again.WaitForDialog();
  Expect(again.ComboSelection(IDC_ENCODER_PRESETS) == -1, L"an empty preset selected an item");
  again.PressCloseButton();
  again.WaitForExit();
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
  std::printf("registered work item %s.job:\n%s", Utf8(name).c_str(),
              Utf8(DescribeWorkItem(ReadWorkItem(name))).c_str());
}

const ScenarioRegistration kScenarios{
    {L"automatic_registration", AutomaticRegistration},
    {L"quiet_switch", QuietSwitch},
    {L"profile_tabs", ProfileTabs},
    {L"encoder_presets", EncoderPresets},
    {L"replace_stored_reservation", ReplaceStoredReservation},
    {L"saved_preset_kept", SavedPresetKept},
    {L"demo", Demo},
};

}  // namespace
