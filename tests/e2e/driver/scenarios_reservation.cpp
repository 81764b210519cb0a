// Reservation files handed to the program on its command line.
#include <windows.h>

#include "app_under_test.h"
#include "install_folder.h"
#include "resource.h"
#include "scenario.h"

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
  ExpectEqual(app.Text(IDC_COMMAND_PREVIEW), L"cap_sts.exe \"C:\\深夜アニメ[新]-第１話.ts\" @071 01:30-02:24 B", L"preview");
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

const ScenarioRegistration kScenarios{
    {L"reservation_from_command_line", ReservationFromCommandLine},
    {L"unknown_station_message", UnknownStationMessage},
};

}  // namespace
