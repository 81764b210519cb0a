// The form in the real dialog: what the user types shows up, composed, in
// the read-only preview.
#include <windows.h>

#include "app_under_test.h"
#include "install_folder.h"
#include "resource.h"
#include "scenario.h"

namespace {

SYSTEMTIME TodayAt(WORD hour, WORD minute) {
  SYSTEMTIME time{};
  GetLocalTime(&time);
  time.wHour = hour;
  time.wMinute = minute;
  time.wSecond = 0;
  time.wMilliseconds = 0;
  return time;
}

void WorkedExamplePreview(const ScenarioContext& context) {
  InstallFolder install(context, L"worked example");
  AppUnderTest app(install.exe(), L"");
  app.WaitForDialog();
  app.SetPickerTime(IDC_START_TIME, TodayAt(21, 0));
  app.SetPickerTime(IDC_END_TIME, TodayAt(21, 54));
  app.Type(IDC_CAP_STS_PATH, L"C:\\tv\\cap_sts.exe");
  app.Type(IDC_FOLDER, L"D:\\rec");
  app.Type(IDC_FILE_NAME, L"news");
  app.Type(IDC_FILEEXT, L".ts");
  app.Type(IDC_CHANNEL, L"101");
  app.Type(IDC_ID, L"2");
  for (int box : {IDC_RMC, IDC_POWER_ON, IDC_BCS, IDC_B25, IDC_POWER_OFF}) app.SetChecked(box, true);
  for (int box : {IDC_SEL, IDC_SUS, IDC_VLC}) app.SetChecked(box, false);
  ExpectEqual(app.Text(IDC_COMMAND_PREVIEW),
              L"C:\\tv\\cap_sts.exe \"D:\\rec\\news.ts\" I2 R2 P @101 21:00-21:54 B B25 POFF", L"preview");

  app.Type(IDC_FILE_NAME, L"a/b:c");
  ExpectEqual(app.Text(IDC_FILE_NAME), L"a\uFF0Fb\uFF1Ac", L"file name");
  ExpectEqual(app.Text(IDC_COMMAND_PREVIEW),
              L"C:\\tv\\cap_sts.exe \"D:\\rec\\a\uFF0Fb\uFF1Ac.ts\" I2 R2 P @101 21:00-21:54 B B25 POFF", L"preview");
  app.PressCloseButton();
  Expect(app.WaitForExit().has_value(), L"the program did not end");
}

const ScenarioRegistration kScenarios{
    {L"worked_example_preview", WorkedExamplePreview},
};

}  // namespace
