// What a reservation may change: 編集 gives back the whole work item and
// leaves Halvorn's settings alone, and a reservation file from a web page
// reaches no command line and no other program's work item.
#include <windows.h>

#include <vector>

#include "app_under_test.h"
#include "brisquet_resource.h"
#include "install_folder.h"
#include "resource.h"
#include "scenario.h"
#include "viewer_under_test.h"
#include "work_items.h"

namespace {

// Two recorders: 地デジ and BS, each with its own program, folder and
// switches.
std::string TwoProfiles(int cursor, int resume, int b25) {
  return "[system]\r\noption_number=2\r\ncursor=" + std::to_string(cursor) +
         "\r\n[cap_sts]\r\ntitle=" + Cp932(L"地デジ") +
         "\r\ncap_sts_path=C:\\tuner\\cap_sts.exe\r\nfolder=C:\\rec\r\nid=1\r\nb25=" + std::to_string(b25) +
         "\r\n[cap_sts_1]\r\ntitle=BS\r\ncap_sts_path=C:\\tuner\\cap_sts_bs.exe\r\nfolder=C:\\bs\r\nid=2\r\n"
         "bcs=1\r\nb25=0\r\nsel=1\r\n[task]\r\naccount=recorder\r\npass=\r\nresume=" +
         std::to_string(resume) + "\r\n";
}

// The settings file's lines but for the channel, which follows every
// reservation Halvorn applies.
std::string SettingsWithoutChannel(const InstallFolder& install) {
  const std::string lines = SignificantLines(install.Read(L"Halvorn_setting.ini"));
  std::string kept;
  for (std::size_t start = 0; start < lines.size();) {
    const std::size_t end = lines.find("\r\n", start) + 2;
    if (lines.compare(start, 8, "channel=") != 0) kept += lines.substr(start, end - start);
    start = end;
  }
  return kept;
}

// What Halvorn never writes stays as the work item had it.
void ExpectOtherPartsKept(const JobFile& before, const JobFile& after) {
  ExpectEqual(Wide(after.comment), Wide(before.comment), L"comment");
  Expect(after.priority == before.priority && after.maximum_run_time == before.maximum_run_time &&
             after.idle_wait == before.idle_wait && after.idle_deadline == before.idle_deadline,
         L"priority, run limit or idle minutes changed: " + std::to_wstring(after.priority) + L" " +
             std::to_wstring(after.maximum_run_time) + L" " + std::to_wstring(after.idle_wait) + L"/" +
             std::to_wstring(after.idle_deadline));
}

// A fresh install with both profiles, 地デジ selected, and a Task Scheduler
// with nothing in it.
void Prepare(const InstallFolder& install) {
  install.CopyData(L"channel.txt", L"channel.txt");
  install.Write(L"Halvorn_setting.ini", TwoProfiles(0, 0, 1));
  DeleteAllWorkItems();
}

// Halvorn started and closed without a change writes every key of its
// settings once.
void OpenAndClose(const InstallFolder& install) {
  AppUnderTest app(install.exe(), L"");
  app.WaitForDialog();
  app.PressCloseButton();
  Expect(app.WaitForExit().has_value(), L"Halvorn did not end");
}

std::vector<std::wstring> StoredNames() {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW(WorkItemPath(L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    names.emplace_back(found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

// A daily series registered with the BS profile, waking the PC, given an
// end date in the Task Scheduler; then Halvorn set to 地デジ, no wake and
// B25 the other way. 編集 and 登録 give back every part of the work item,
// and Halvorn's settings stay as they were.
void EditKeepsTheWholeWorkItem(const ScenarioContext& context) {
  InstallFolder install(context, L"edit_whole");
  install.CopyProgram(L"Brisquet.exe");
  install.CopyData(L"channel.txt", L"channel.txt");
  DeleteAllWorkItems();
  install.Write(L"Halvorn_setting.ini", TwoProfiles(1, 1, 1));
  const std::wstring name = L"連続ドラマ";
  RegisterUnattended(install, Reservation(DaysFromToday(3), name, "21:00", "21:54", "2"));
  JobFile stored = ReadWorkItem(name);
  stored.triggers[0].type = 1;
  stored.triggers[0].type_data = {1, 0, 0};
  stored.triggers[0].flags = 0x1;  // TASK_TRIGGER_FLAG_HAS_END_DATE
  const SYSTEMTIME end = DaysFromToday(20);
  stored.triggers[0].end_year = end.wYear;
  stored.triggers[0].end_month = end.wMonth;
  stored.triggers[0].end_day = end.wDay;
  // What no Halvorn writes: another program, or the user in the Task
  // Scheduler, gave the reservation these.
  stored.comment = u"毎週の録画";
  stored.priority = 0x80;
  stored.maximum_run_time = 3 * 60 * 60 * 1000;
  stored.idle_wait = 3;
  stored.idle_deadline = 7;
  StoreWorkItemFile(name, stored);
  const JobFile before = ReadWorkItem(name);
  Expect(before.application_name == u"C:\\tuner\\cap_sts_bs.exe" && (before.flags & 0x1000) != 0,
         L"not registered with BS and wake: " + DescribeWorkItem(before));

  install.Write(L"Halvorn_setting.ini", TwoProfiles(0, 0, 0));
  OpenAndClose(install);
  const std::string settings = SettingsWithoutChannel(install);

  auto viewer = ViewerUnderTest::Start(install.File(L"Brisquet.exe"));
  Expect(viewer.WaitForRowCount(1), L"the series is not listed");
  EditAndRegisterUnchanged(viewer, name);

  const JobFile after = ReadWorkItem(name);
  ExpectOtherPartsKept(before, after);
  ExpectEqual(Wide(after.application_name), Wide(before.application_name), L"application");
  ExpectEqual(Wide(after.parameters), Wide(before.parameters), L"parameters");
  ExpectEqual(Wide(after.working_directory), Wide(before.working_directory), L"working folder");
  Expect(after.flags == before.flags, L"flags: " + DescribeWorkItem(after));
  const JobTrigger& was = before.triggers[0];
  const JobTrigger& is = after.triggers[0];
  Expect(is.type == was.type && is.type_data == was.type_data && is.start_hour == was.start_hour &&
             is.start_minute == was.start_minute && is.minutes_duration == was.minutes_duration &&
             is.minutes_interval == was.minutes_interval && is.flags == was.flags && is.end_year == was.end_year &&
             is.end_month == was.end_month && is.end_day == was.end_day,
         L"the trigger came back as " + DescribeWorkItem(after));
  Expect(SettingsWithoutChannel(install) == settings, L"Halvorn's settings changed");

  // A later end changes the parameters, and nothing Halvorn does not write.
  // The viewer sees Halvorn gone on its half-second timer.
  Sleep(1500);
  EditAndRegister(viewer, name, [](AppUnderTest& halvorn) {
    SYSTEMTIME end = halvorn.PickerTime(IDC_END_TIME);
    end.wHour = 22;
    end.wMinute = 10;
    halvorn.SetPickerTime(IDC_END_TIME, end);
    halvorn.Type(IDC_CHANNEL, halvorn.Text(IDC_CHANNEL));  // composes with the new end
  });
  viewer.Close();
  Expect(viewer.WaitForExit(), L"the viewer did not end");
  const JobFile later = ReadWorkItem(name);
  Expect(later.parameters.find(u" 21:00-22:10") != std::u16string::npos, L"the end: " + Wide(later.parameters));
  ExpectOtherPartsKept(before, later);
  DeleteAllWorkItems();
}

// A web page's "CHANNEL: " that could run a command is not taken: the
// station is looked up in channel.txt instead.
void WebChannelRunsNoCommand(const ScenarioContext& context) {
  InstallFolder install(context, L"web_channel");
  Prepare(install);
  RegisterUnattended(install,
                     Reservation(DaysFromToday(4), L"ウェブ", "20:00", "20:30", "1") + "CHANNEL: 051&calc\r\n");
  const std::vector<std::wstring> names = StoredNames();
  Expect(names.size() == 1, L"not one work item stored");
  for (const std::wstring& file : names) {
    const JobFile job = ReadWorkItem(file.substr(0, file.size() - 4));
    Expect(job.parameters.find(u'&') == std::u16string::npos, L"a & reached the command line: " + Wide(job.parameters));
    Expect(job.parameters.find(u" @011 ") != std::u16string::npos, L"not the listed station: " + Wide(job.parameters));
  }
  DeleteAllWorkItems();
}

// A web page's "TASKNAME: " that names another program's work item deletes
// nothing, unattended or opened by hand, and Halvorn says why.
void WebFileReplacesNoOtherProgram(const ScenarioContext& context) {
  InstallFolder install(context, L"web_taskname");
  Prepare(install);
  RegisterOtherProgram(L"Updater");
  const std::string other = ReadBytes(WorkItemPath(L"Updater"));
  install.Write(L"web.tvpi",
                Reservation(DaysFromToday(4), L"ウェブ", "20:00", "20:30", "7") + "TASKNAME: Updater.job\r\n");
  for (const wchar_t* arguments : {L"-auto ", L""}) {
    AppUnderTest app(install.exe(), arguments + std::wstring(L"\"") + install.File(L"web.tvpi") + L"\"");
    const auto refusal = app.AnswerMessageBox();
    ExpectEqual(
        refusal.value_or(L"(none)"),
        L"「Updater」は録画予約のタスクではありません。\r\n置き換えられないため、予約ファイルを読み込みませんでした。",
        L"the refusal");
    app.WaitForDialog();
    // The refused file's tuner is nowhere: the form is the profile's.
    ExpectEqual(app.Text(IDC_ID), L"1", L"the tuner ID");
    Expect(app.Text(IDC_COMMAND_PREVIEW).find(L" I1 ") != std::wstring::npos,
           L"the preview: " + app.Text(IDC_COMMAND_PREVIEW));
    // Typed by hand, the name is no replacement either.
    app.Type(IDC_REGISTRATION_NAME, L"Updater");
    app.ClickLater(IDC_REGISTER);
    app.AnswerMessageBox();
    app.PressCloseButton();
    Expect(app.WaitForExit().has_value(), L"Halvorn did not end");
    Expect(ReadBytes(WorkItemPath(L"Updater")) == other, L"the other program's work item changed");
  }
  DeleteAllWorkItems();
}

// "TASKNAME: NAME.JOB" names the work item NAME, as Windows opens its file,
// and replaces it: one work item is left.
void TaskNameAsWindowsOpensIt(const ScenarioContext& context) {
  InstallFolder install(context, L"taskname_case");
  Prepare(install);
  const std::wstring name = L"大文字";
  RegisterUnattended(install, Reservation(DaysFromToday(4), name, "20:00", "20:30", "1"));
  install.Write(L"again.tvpi",
                Reservation(DaysFromToday(4), name, "22:00", "22:30", "1") + "TASKNAME: " + Cp932(name) + ".JOB\r\n");
  AppUnderTest app(install.exe(), L"\"" + install.File(L"again.tvpi") + L"\"");
  app.WaitForDialog();
  ExpectEqual(app.Text(IDC_REGISTRATION_NAME), name, L"registration name");
  app.ClickLater(IDC_REGISTER);
  const auto message = app.AnswerMessageBox(3000);
  Expect(!message.has_value(), L"a message after 登録: " + message.value_or(L""));
  app.PressCloseButton();
  Expect(app.WaitForExit().has_value(), L"Halvorn did not end");
  const std::vector<std::wstring> names = StoredNames();
  Expect(names.size() == 1, L"not one work item left but " + std::to_wstring(names.size()));
  Expect(ReadWorkItem(name).parameters.find(u"22:00-22:30") != std::u16string::npos, L"not replaced");
  DeleteAllWorkItems();
}

// Tuner 2 of two capture programs is two tuners: two reservations at one
// time register without a question, and the viewer marks neither.
void TwoProgramsTwoTuners(const ScenarioContext& context) {
  InstallFolder install(context, L"two_programs");
  install.CopyProgram(L"Brisquet.exe");
  Prepare(install);
  const SYSTEMTIME day = DaysFromToday(5);
  RegisterUnattended(install, Reservation(day, L"地デジの番組", "21:00", "22:00", "2"));
  install.Write(L"Halvorn_setting.ini", TwoProfiles(1, 0, 1));
  RegisterUnattended(install, Reservation(day, L"BSの番組", "21:00", "22:00", "2"));
  Expect(StoredNames().size() == 2, L"not both stored");
  auto viewer = ViewerUnderTest::Start(install.File(L"Brisquet.exe"));
  Expect(viewer.WaitForRowCount(2), L"not both listed");
  for (const auto& row : viewer.Rows()) Expect(row[7].empty(), L"marked: " + row[0] + L" " + row[7]);
  viewer.Close();
  Expect(viewer.WaitForExit(), L"the viewer did not end");
  DeleteAllWorkItems();
}

// A real work item of another program named "Backup": a reservation file
// whose TASKNAME names nothing, or one that the bracket rule turns into
// "Backup", is refused at 登録, and the work item stays byte for byte.
void NamesReachNoOtherProgram(const ScenarioContext& context) {
  InstallFolder install(context, L"names_guarded");
  install.CopyData(L"channel.txt", L"channel.txt");
  install.Write(L"Halvorn_setting.ini", TwoProfiles(0, 0, 1) + "[general]\r\nparentheses=1\r\n");
  DeleteAllWorkItems();
  RegisterOtherProgram(L"Backup");
  const std::string other = ReadBytes(WorkItemPath(L"Backup"));
  const std::pair<const char*, const wchar_t*> cases[] = {
      {"", L"既に同じ登録名があります\r\n違う登録名を入力してください"},
      {"Backup[1].job", L"「Backup」は録画予約のタスクではないため、置き換えられません。"}};
  for (const auto& [task_name, refusal] : cases) {
    install.Write(L"web.tvpi",
                  Reservation(DaysFromToday(4), L"Backup", "20:00", "20:30", "1") + "TASKNAME: " + task_name + "\r\n");
    AppUnderTest app(install.exe(), L"\"" + install.File(L"web.tvpi") + L"\"");
    app.WaitForDialog();
    app.ClickLater(IDC_REGISTER);
    ExpectEqual(app.AnswerMessageBox().value_or(L"(none)"), refusal, L"TASKNAME " + Utf16FromUtf8(task_name));
    app.PressCloseButton();
    Expect(app.WaitForExit().has_value(), L"Halvorn did not end");
    Expect(ReadBytes(WorkItemPath(L"Backup")) == other, L"the other program's work item changed");
  }
  DeleteAllWorkItems();
}

// Tuners 1 and 2 of one capture program, with the BS tab selected and
// neither wake nor delete-when-done chosen.
const char kTwoTunersBsSelected[] =
    "[system]\r\noption_number=3\r\ncursor=2\r\n"
    "[cap_sts]\r\ntitle=T1\r\ncap_sts_path=C:\\tuner\\cap_sts.exe\r\nfolder=C:\\rec\r\nid=1\r\nbcs=1\r\n"
    "[cap_sts_1]\r\ntitle=T2\r\ncap_sts_path=C:\\tuner\\cap_sts.exe\r\nfolder=C:\\rec2\r\nid=2\r\nbcs=1\r\n"
    "[cap_sts_2]\r\ntitle=BS\r\ncap_sts_path=C:\\tuner\\cap_sts_bs.exe\r\nfolder=C:\\bs\r\nid=2\r\n"
    "[task]\r\naccount=recorder\r\npass=\r\ndel_task=0\r\nresume=0\r\n";

// 編集 of a waking reservation that collides on tuner 1, answered with the
// free tuner 2: the reservation moves and keeps its wake, and Halvorn's
// settings keep the user's tab, wake and delete-when-done.
void FreeTunerWithinAnEdit(const ScenarioContext& context) {
  InstallFolder install(context, L"free_tuner_edit");
  install.CopyProgram(L"Brisquet.exe");
  install.CopyData(L"channel.txt", L"channel.txt");
  install.Write(L"Halvorn_setting.ini", kTwoTunersBsSelected);
  DeleteAllWorkItems();
  OpenAndClose(install);
  const std::string settings = SettingsWithoutChannel(install);
  const SYSTEMTIME begin = DaysFromToday(5, 20, 59);
  JobFile waking = RecorderWorkItem(L"\"C:\\rec\\朝.ts\" I1 @011 21:00-22:00 B", begin);
  waking.flags = 0x3000;
  StoreWorkItemFile(L"朝", waking);
  StoreWorkItemFile(L"夜", RecorderWorkItem(L"\"C:\\rec\\夜.ts\" I1 @011 21:00-22:00 B", begin));

  auto viewer = ViewerUnderTest::Start(install.File(L"Brisquet.exe"));
  Expect(viewer.WaitForRowCount(2), L"the two reservations are not listed");
  viewer.Select(L"朝");
  viewer.ClickLater(IDC_EDIT_RESERVATION);
  {
    AppUnderTest halvorn(WaitForHalvornOfEdit());
    halvorn.ClickLater(IDC_REGISTER);
    Expect(halvorn.AnswerChoice(L"「T2」で登録 (チューナー 2)").has_value(), L"the free tuner was not offered");
    halvorn.PressCloseButton();
    Expect(halvorn.WaitForExit().has_value(), L"Halvorn did not end");
  }
  viewer.Close();
  Expect(viewer.WaitForExit(), L"the viewer did not end");
  const JobFile moved = ReadWorkItem(L"朝");
  Expect(moved.parameters.find(u"C:\\rec2\\朝.ts\" I2 ") != std::u16string::npos && moved.flags == 0x3000,
         L"not moved to tuner 2 with its wake: " + DescribeWorkItem(moved));
  Expect(SettingsWithoutChannel(install) == settings, L"Halvorn's settings changed");
  DeleteAllWorkItems();
}

const ScenarioRegistration kScenarios{
    {L"names_reach_no_other_program", NamesReachNoOtherProgram},
    {L"free_tuner_within_an_edit", FreeTunerWithinAnEdit},
    {L"two_programs_two_tuners", TwoProgramsTwoTuners},
    {L"edit_keeps_the_whole_work_item", EditKeepsTheWholeWorkItem},
    {L"web_channel_runs_no_command", WebChannelRunsNoCommand},
    {L"web_file_replaces_no_other_program", WebFileReplacesNoOtherProgram},
    {L"task_name_as_windows_opens_it", TaskNameAsWindowsOpensIt},
};

}  // namespace
