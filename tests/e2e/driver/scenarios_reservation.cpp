// Reservation files handed to the program on its command line.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>

#include "app_under_test.h"
#include "install_folder.h"
#include "resource.h"
#include "scenario.h"
#include "work_items.h"

namespace {

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

std::wstring Ticked(AppUnderTest& app) {
  std::wstring days;
  for (int d = 0; d < 7; ++d) days += app.Checked(IDC_SUNDAY + d) ? L'x' : L'.';
  return days;
}

std::wstring HourMinute(const SYSTEMTIME& time) {
  wchar_t text[16];
  swprintf(text, 16, L"%02u:%02u", time.wHour, time.wMinute);
  return text;
}

std::wstring Date(const SYSTEMTIME& time) {
  wchar_t text[16];
  swprintf(text, 16, L"%04u-%02u-%02u", time.wYear, time.wMonth, time.wDay);
  return text;
}

void ReservationFromCommandLine(const ScenarioContext& context) {
  InstallFolder install(context, L"reservation");
  install.CopyData(L"channel.txt", L"channel.txt");
  const std::wstring reservation = install.CopyData(L"late_night.tvpi", L"guide downloads\\late night.tvpi");
  AppUnderTest app(install.exe(), Quoted(reservation));
  app.WaitForDialog();
  Expect(!app.HasMessageBox(), L"a message box is open");
  // 25:30 on 31 January is half past one on Friday 1 February.
  ExpectEqual(Date(app.CalendarDate(IDC_START_DATE)), L"2030-02-01", L"calendar");
  ExpectEqual(Ticked(app), L".....x.", L"weekdays");
  ExpectEqual(HourMinute(app.PickerTime(IDC_START_TIME)), L"01:30", L"start time");
  ExpectEqual(HourMinute(app.PickerTime(IDC_END_TIME)), L"02:24", L"end time");
  ExpectEqual(app.Text(IDC_FILE_NAME), L"深夜アニメ[新]-第１話", L"file name");
  ExpectEqual(app.Text(IDC_REGISTRATION_NAME), L"深夜アニメ[新]", L"registration name");
  ExpectEqual(app.Text(IDC_CHANNEL), L"071", L"channel");
  ExpectEqual(app.Text(IDC_COMMAND_PREVIEW), L"cap_sts.exe \"C:\\深夜アニメ[新]-第１話.ts\" @071 01:30-02:24 B",
              L"preview");
  app.PressCloseButton();
  Expect(app.WaitForExit().has_value(), L"the program did not end");
}

void UnknownStationMessage(const ScenarioContext& context) {
  InstallFolder install(context, L"unknown station");
  install.CopyData(L"channel.txt", L"channel.txt");
  const std::wstring reservation = install.CopyData(L"unknown_station.tvpi", L"unknown.tvpi");
  AppUnderTest app(install.exe(), Quoted(reservation));
  const auto message = app.AnswerMessageBox();
  Expect(message.has_value(), L"no message box");
  ExpectEqual(*message, L"チャンネル設定ファイルに無いチャンネルです。\r\n手動でチャンネルコマンドを入力してください。",
              L"message");
  app.WaitForDialog();
  ExpectEqual(app.Text(IDC_CHANNEL), L"", L"channel");
  ExpectEqual(app.Text(IDC_FILE_NAME), L"謎の番組", L"file name");
  app.PressCloseButton();
  Expect(app.WaitForExit().has_value(), L"the program did not end");
}

std::string Reservation(const std::string& station, const std::string& extra = "") {
  return "Content-type: application/x-tv-program-digital-info\r\nversion: 2\r\nstation: " + station +
         "\r\nyear: 2030\r\nmonth: 5\r\ndate: 6\r\nstart: 20:00\r\nend: 20:54\r\nprogram-title: probe\r\n" + extra;
}

// Station codes as TV viewers and recorder front ends write them, against a
// channel table written by hand in another spelling.
void StationCodesFound(const ScenarioContext& context) {
  InstallFolder install(context, L"station codes");
  install.Write(L"channel.txt", Cp932(L"ＴＯＫＹＯ ＭＸ,091,DFS05C38 ＴＯＫＹＯ ＭＸ１\r\n"
                                      L"ショップチャンネル,C055,CSDT055 ショップチャンネル\r\n"));
  const struct {
    const char* station;
    const wchar_t* channel;
  } cases[] = {{"DFS05c38", L"091"}, {"CSDT55", L"C055"}};
  for (const auto& c : cases) {
    install.Write(L"code.tvpi", Reservation(c.station));
    AppUnderTest app(install.exe(), Quoted(install.File(L"code.tvpi")));
    app.WaitForDialog();
    Expect(!app.HasMessageBox(), L"a message for " + Utf16FromUtf8(c.station));
    ExpectEqual(app.Text(IDC_CHANNEL), c.channel, L"channel for " + Utf16FromUtf8(c.station));
    app.PressCloseButton();
    Expect(app.WaitForExit().has_value(), L"the program did not end");
  }
}

// A reservation naming a device as its work item: nothing waits on it.
void TaskNameOfADevice(const ScenarioContext& context) {
  InstallFolder install(context, L"device task name");
  install.CopyData(L"channel.txt", L"channel.txt");
  install.Write(L"device.tvpi", Reservation("DFS00400", "TASKNAME: COM1\r\n"));
  AppUnderTest app(install.exe(), Quoted(install.File(L"device.tvpi")));
  app.WaitForDialog(L"Halvorn Ver 2.3", 10000);
  ExpectEqual(app.Text(IDC_REGISTRATION_NAME), L"COM1", L"registration name");
  Expect(app.Checked(IDC_REPEAT_ONCE), L"repeat mode");
  app.PressCloseButton();
  Expect(app.WaitForExit().has_value(), L"the program did not end");
}

// The peak working set of a program that has applied its reservation.
double PeakWorkingSetMiB(const std::wstring& exe, const std::wstring& reservation) {
  AppUnderTest app(exe, Quoted(reservation));
  app.WaitForDialog();
  ExpectEqual(app.Text(IDC_FILE_NAME), L"probe", L"file name");
  ExpectEqual(app.Text(IDC_CHANNEL), L"011", L"channel");
  PROCESS_MEMORY_COUNTERS memory{};
  GetProcessMemoryInfo(app.process(), &memory, sizeof memory);
  app.PressCloseButton();
  Expect(app.WaitForExit().has_value(), L"the program did not end");
  return static_cast<double>(memory.PeakWorkingSetSize) / 1048576.0;
}

// A reservation of 100 MiB: a valid header, then line feeds.
void LargeReservation(const ScenarioContext& context) {
  InstallFolder install(context, L"large reservation");
  install.CopyData(L"channel.txt", L"channel.txt");
  const std::string header = Reservation("DFS00400");
  install.Write(L"small.tvpi", header);
  const std::wstring large = install.File(L"large.tvpi");
  {
    FILE* file = _wfopen(large.c_str(), L"wb");
    Expect(file != nullptr, L"cannot write the large reservation");
    fwrite(header.data(), 1, header.size(), file);
    const std::string block(1 << 20, '\n');
    for (int i = 0; i < 100; ++i) fwrite(block.data(), 1, block.size(), file);
    fclose(file);
  }
  const double ordinary = PeakWorkingSetMiB(install.exe(), install.File(L"small.tvpi"));
  const double applied = PeakWorkingSetMiB(install.exe(), large);
  std::printf("peak working set: %.1f MiB with an ordinary reservation, %.1f MiB with 100 MiB\n", ordinary, applied);
  DeleteFileW(large.c_str());
}

const ScenarioRegistration kScenarios{
    {L"reservation_from_command_line", ReservationFromCommandLine},
    {L"unknown_station_message", UnknownStationMessage},
    {L"station_codes_found", StationCodesFound},
    {L"task_name_of_a_device", TaskNameOfADevice},
    {L"large_reservation", LargeReservation},
};

}  // namespace
