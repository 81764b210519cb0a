// Tuners as the user has them: a collision on one tuner offers another
// profile's free tuner of the same recorder program.
#include <windows.h>

#include <vector>

#include "app_under_test.h"
#include "install_folder.h"
#include "resource.h"
#include "viewer_under_test.h"
#include "scenario.h"
#include "work_items.h"

namespace {

// The reservation file registered unattended is asked about with the plain
// yes or no, no free tuner offered, and いいえ stores nothing.
void ExpectOnlyYesOrNo(const InstallFolder& install, const wchar_t* file, const wchar_t* name) {
  {
    AppUnderTest app(install.exe(), L"-auto \"" + install.File(file) + L"\"");
    const auto question = app.AnswerQuestion(false);
    Expect(question.value_or(L"").find(L"このまま登録しますか？") != std::wstring::npos &&
               question->find(L"空いています") == std::wstring::npos,
           L"not the yes/no question: " + question.value_or(L"(none)"));
    app.WaitForDialog();
    app.PressCloseButton();
    Expect(app.WaitForExit().has_value(), L"Halvorn did not end");
  }
  Expect(!WorkItemExists(name), std::wstring(L"stored after いいえ: ") + name);
}

// Tuners 1 and 2 of one capture program, and tuner 2 of another.
const char kThreeProfiles[] =
    "[system]\r\noption_number=3\r\ncursor=0\r\n"
    "[cap_sts]\r\ntitle=T1\r\ncap_sts_path=C:\\tuner\\cap_sts.exe\r\nfolder=C:\\rec\r\nid=1\r\n"
    "[cap_sts_1]\r\ntitle=T2\r\ncap_sts_path=C:\\tuner\\cap_sts.exe\r\nfolder=C:\\rec2\r\nid=2\r\n"
    "[cap_sts_2]\r\ntitle=BS\r\ncap_sts_path=C:\\tuner\\cap_sts_bs.exe\r\nfolder=C:\\bs\r\nid=2\r\n"
    "[task]\r\naccount=recorder\r\npass=\r\n";

const wchar_t kTakeFree[] = L"「T2」で登録 (チューナー 2)";

void ExpectTakenOnTuner2(const std::wstring& name) {
  const JobFile job = ReadWorkItem(name);
  Expect(job.application_name == u"C:\\tuner\\cap_sts.exe" && job.parameters.find(u" I2 ") != std::u16string::npos &&
             job.parameters.find(u"C:\\rec2\\") != std::u16string::npos,
         L"not registered with T2: " + DescribeWorkItem(job));
}

void FreeTunerOffered(const ScenarioContext& context) {
  InstallFolder install(context, L"free_tuner");
  install.CopyData(L"channel.txt", L"channel.txt");
  install.Write(L"Halvorn_setting.ini", kThreeProfiles);
  DeleteAllWorkItems();
  const SYSTEMTIME day = DaysFromToday(5);
  RegisterUnattended(install, Reservation(day, L"先の予約", "21:00", "22:00", "1"));

  // Unattended: the box offers T2, whose tuner is free, and takes it.
  install.Write(L"auto.tvpi", Reservation(day, L"自動", "21:30", "22:30", "1"));
  {
    AppUnderTest app(install.exe(), L"-auto \"" + install.File(L"auto.tvpi") + L"\"");
    const auto box = app.AnswerChoice(kTakeFree, context.out_dir + L"\\free-tuner-question.png");
    Expect(box.has_value(), L"no box before the collision");
    Expect(box->buttons == std::vector<std::wstring>{kTakeFree, L"このまま登録", L"登録しない"},
           L"the buttons: " + (box->buttons.empty() ? L"(none)" : box->buttons[0]));
    Expect(box->text.find(L"「T2」のチューナー 2 はこの時間空いています。") != std::wstring::npos,
           L"the text: " + box->text);
    Expect(app.WaitForExit(30000).has_value(), L"the unattended registration did not end");
  }
  ExpectTakenOnTuner2(L"自動");

  // By hand, the same.
  install.Write(L"hand.tvpi", Reservation(day, L"手動", "21:15", "21:45", "1"));
  DeleteWorkItem(L"自動");
  {
    AppUnderTest app(install.exe(), L"\"" + install.File(L"hand.tvpi") + L"\"");
    app.WaitForDialog();
    app.ClickLater(IDC_REGISTER);
    Expect(app.AnswerChoice(kTakeFree).has_value(), L"no box by hand");
    ExpectEqual(app.AnswerMessageBox().value_or(L"(none)"), L"登録しました", L"by hand");
    ExpectEqual(std::to_wstring(app.TabSelection(IDC_PROFILE_TABS)), L"1", L"the tab of T2");
    app.PressCloseButton();
    Expect(app.WaitForExit().has_value(), L"Halvorn did not end");
  }
  ExpectTakenOnTuner2(L"手動");

  // With tuner 2 busy too, the question is today's yes or no.
  install.Write(L"busy.tvpi", Reservation(day, L"満杯", "21:20", "21:40", "1"));
  ExpectOnlyYesOrNo(install, L"busy.tvpi", L"満杯");
  DeleteAllWorkItems();
}

// One tuner, its recorder started two minutes ahead: a recording that
// begins as another ends needs the tuner while the other still records.
// Unattended, Halvorn asks, naming the earlier one, and the viewer marks
// both 重複; with a gap as long as the lead, nothing is asked.
void BackToBackOnOneTuner(const ScenarioContext& context) {
  InstallFolder install(context, L"back_to_back");
  install.CopyProgram(L"Brisquet.exe");
  install.CopyData(L"channel.txt", L"channel.txt");
  install.Write(L"Halvorn_setting.ini",
                "[system]\r\noffset_min=2\r\n[cap_sts]\r\ntitle=T1\r\ncap_sts_path=C:\\tuner\\cap_sts.exe\r\n"
                "folder=C:\\rec\r\nid=1\r\n[task]\r\naccount=recorder\r\npass=\r\n");
  DeleteAllWorkItems();
  const SYSTEMTIME day = DaysFromToday(5);
  RegisterUnattended(install, Reservation(day, L"前", "19:00", "19:30", "1"));
  install.Write(L"next.tvpi", Reservation(day, L"後", "19:30", "20:00", "1"));
  {
    AppUnderTest app(install.exe(), L"-auto \"" + install.File(L"next.tvpi") + L"\"");
    const auto question = app.AnswerQuestion(true);
    Expect(question.value_or(L"").find(L"「前」") != std::wstring::npos &&
               question->find(L"この予約の録画プログラムは、その終わる 2 分前に起動します") != std::wstring::npos,
           L"not the back-to-back question: " + question.value_or(L"(none)"));
    Expect(app.WaitForExit(30000).has_value(), L"the registration did not end after はい");
  }
  RegisterUnattended(install, Reservation(day, L"間", "20:02", "20:30", "1"));
  Expect(WorkItemExists(L"後") && WorkItemExists(L"間"), L"not all stored");
  auto viewer = ViewerUnderTest::Start(install.File(L"Brisquet.exe"));
  Expect(viewer.WaitForRowCount(3), L"not all listed");
  ExpectEqual(viewer.Cell(L"前", 7) + L"|" + viewer.Cell(L"後", 7) + L"|" + viewer.Cell(L"間", 7), L"重複|重複|",
              L"状態");
  viewer.Close();
  Expect(viewer.WaitForExit(), L"the viewer did not end");
  DeleteAllWorkItems();
}

// A profile whose output folder is gone is no free tuner: the question is
// the plain yes or no.
void NoFreeTunerWithoutItsFolder(const ScenarioContext& context) {
  InstallFolder install(context, L"free_tuner_gone");
  install.CopyData(L"channel.txt", L"channel.txt");
  std::string settings = kThreeProfiles;
  settings.replace(settings.find("C:\\rec2"), 7, "C:\\gone2");
  install.Write(L"Halvorn_setting.ini", settings);
  DeleteAllWorkItems();
  const SYSTEMTIME day = DaysFromToday(5);
  RegisterUnattended(install, Reservation(day, L"先の予約", "21:00", "22:00", "1"));
  install.Write(L"auto.tvpi", Reservation(day, L"自動", "21:30", "22:30", "1"));
  ExpectOnlyYesOrNo(install, L"auto.tvpi", L"自動");
  DeleteAllWorkItems();
}

const ScenarioRegistration kScenarios{
    {L"free_tuner_offered", FreeTunerOffered},
    {L"back_to_back_on_one_tuner", BackToBackOnOneTuner},
    {L"no_free_tuner_without_its_folder", NoFreeTunerWithoutItsFolder},
};

}  // namespace
