// Start-up from the command line, the automatic registration at the first
// paint, the channel list, the browse buttons and the task viewer.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "app/halvorn2_app.h"
#include "platform/file_access.h"
#include "scheduler/job_file.h"
#include "scheduler/registration.h"
#include "support/main_dialog_fixture.h"

namespace {

using namespace std::string_view_literals;

class StartUp : public MainDialogTest {
 protected:
  StartUp() {
    folder.WriteText("channel.txt", u"one,001,Q\ntwo,011,ABC\nthree,012,Z\n");
    folder.WriteText("Halvorn_setting.ini", u"[general]\nchannel=01\n[task]\naccount=recorder\n");
    folder.WriteText("r.tvpi",
                     u"Content-type: application/x-tv-program-info\nversion: 1\nstation: ABC\nstart: 21:00\n"
                     u"end: 22:00\nprogram-title: Auto\n");
  }
  void OpenWith(std::u16string text) {
    command_line = std::move(text);
    dialog.command_line = &command_line;
    Open();
  }
  std::u16string Reservation() const { return folder.WindowsPath("r.tvpi"); }

  std::u16string command_line;
};

TEST_F(StartUp, TheApplicationRunsTheDialogWithItsCommandLineAndEnds) {
  CHalvorn2App app;
  app.set_services(&services, &scheduler);
  std::u16string seen;
  platform.RespondToNextModal([&seen](headless::Window& w) {
    seen = w.GetText(IDC_FILE_NAME);
    w.PressCloseButton();
  });
  EXPECT_EQ(app.Run(platform, u"-auto1 " + Reservation()), 0);
  EXPECT_EQ(platform.modal_templates(), std::vector<int>{IDD_HALVORN2_DIALOG});
  EXPECT_EQ(seen, u"Auto");
  EXPECT_EQ(app.registry_key(), u"アプリケーション ウィザードで生成されたローカル アプリケーション");
  EXPECT_EQ(app.main_window(), nullptr);
}

// The browser's automatic registration stores without showing anything
// where nothing needs the user; where something does, it has stored
// nothing when the dialog comes up, and the dialog asks or tells it.
TEST_F(StartUp, AnAutomaticRegistrationShowsTheDialogOnlyWhenItNeedsTheUser) {
  JobFile earlier;
  earlier.application_name = u"cap_sts.exe";
  earlier.parameters = u"\"C:\\old.ts\" @011 21:00-22:00";
  earlier.triggers.push_back(
      {.begin_year = 2026, .begin_month = 12, .begin_day = 8, .start_hour = 20, .start_minute = 59});
  const struct {
    const char* what;
    const char16_t* extra_line;
    bool collides;
    std::u16string shown;  // what the dialog on the screen tells first; empty: no dialog
  } cases[] = {
      {"nothing to ask", u"", false, u""},
      {"a station not in the table", u"station-name: none\n", false, u"チャンネル設定ファイルに無いチャンネルです。"},
      {"a collision", u"", true, u"「Auto」は同じチューナーの次の予約と時間が重なります。"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    scheduler.saved.clear();
    if (c.collides) scheduler.saved[u"Earlier"] = earlier;
    folder.WriteText("r.tvpi",
                     std::u16string(u"Content-type: application/x-tv-program-info\nversion: 1\nstation: ") +
                         (c.extra_line[0] != 0 ? u"UNKNOWN" : u"ABC") +
                         u"\nyear: 2026\nmonth: 12\ndate: 8\nstart: 21:00\nend: 22:00\nprogram-title: Auto\n" +
                         c.extra_line);
    headless::Platform screen;
    screen.DeclareRadioGroup({IDC_REPEAT_ONCE, IDC_REPEAT_DAILY, IDC_REPEAT_WEEKLY});
    std::size_t stored_when_shown = 0;
    std::u16string told;
    screen.RespondToNextModal([&](headless::Window& shown) {
      stored_when_shown = scheduler.saved.count(u"Auto");
      told = shown.message_boxes().empty() ? u"" : shown.message_boxes().front();
      if (told.empty()) shown.Paint();
      if (!shown.message_boxes().empty()) told = shown.message_boxes().front();
    });
    CHalvorn2App app;
    app.set_services(&services, &scheduler);
    app.Run(screen, u"-auto " + Reservation());
    EXPECT_EQ(screen.modal_templates().size(), c.shown.empty() ? 0u : 1u);
    EXPECT_EQ(stored_when_shown, 0u);
    EXPECT_TRUE(told.starts_with(c.shown)) << std::filesystem::path(told).string();
    EXPECT_EQ(scheduler.saved.count(u"Auto"), c.shown.empty() ? 1u : 0u);
  }
}

TEST_F(StartUp, TheChannelListFollowsTheSavedChannel) {
  Open();
  EXPECT_EQ(window->List(IDC_CHANNEL_LIST).GetCurSel(), 2);  // the last row holding "01"
  EXPECT_EQ(window->GetText(IDC_CHANNEL), u"01");
}

TEST_F(StartUp, ASavedChannelNoRowHoldsSelectsNone) {
  folder.WriteText("Halvorn_setting.ini", u"[general]\nchannel=B999\n");
  Open();
  EXPECT_EQ(window->List(IDC_CHANNEL_LIST).GetCurSel(), -1);
}

TEST_F(StartUp, TheSwitchRegistersAtTheFirstPaintAndEnds) {
  OpenWith(u"-auto \"" + Reservation() + u"\"");
  EXPECT_EQ(dialog.form.registration_mode, RegistrationMode::AutoPending);
  EXPECT_TRUE(scheduler.saved.empty());
  window->Paint();
  EXPECT_EQ(scheduler.saved.count(u"Auto"), 1u);
  EXPECT_TRUE(window->message_boxes().empty());
  EXPECT_TRUE(window->ended());
}

TEST_F(StartUp, AFailedAutomaticRegistrationLeavesTheDialogOpenAndRunsOnce) {
  folder.WriteText("Halvorn_setting.ini", u"");
  OpenWith(u"-auto " + Reservation());
  window->Paint();
  window->Paint();
  EXPECT_EQ(window->message_boxes(), std::vector<std::u16string>{u"実行するアカウントを入力してください"});
  EXPECT_FALSE(window->ended());
  EXPECT_EQ(dialog.form.registration_mode, RegistrationMode::AutoRunning);
  // A later registration by hand ends the program without a word.
  window->Type(IDC_ACCOUNT, u"recorder");
  window->ClickButton(IDC_REGISTER);
  EXPECT_EQ(window->message_boxes().size(), 1u);
  EXPECT_TRUE(window->ended());
}

TEST_F(StartUp, TheQuietSwitchAppliesButRegistersNothing) {
  OpenWith(u"-auto1 " + Reservation());
  window->Paint();
  EXPECT_EQ(dialog.form.registration_mode, RegistrationMode::Quiet);
  EXPECT_TRUE(scheduler.saved.empty());
  EXPECT_EQ(window->GetText(IDC_FILE_NAME), u"Auto");
  EXPECT_FALSE(window->ended());
}

TEST_F(StartUp, AnUnreadableFileOrASwitchAloneMeansNormal) {
  OpenWith(u"-auto C:\\missing.tvpi");
  EXPECT_EQ(dialog.form.registration_mode, RegistrationMode::Normal);
  window->Paint();
  EXPECT_TRUE(scheduler.saved.empty());
}

TEST_F(StartUp, AQuotedPathRunsToOneBeforeTheEndOfTheLine) {
  OpenWith(u"-auto \"" + Reservation() + u"\" later");
  EXPECT_EQ(dialog.form.registration_mode, RegistrationMode::Normal);
  EXPECT_EQ(window->GetText(IDC_FILE_NAME), u"test");
}

TEST_F(StartUp, TheFileArgumentIsCutAt255Characters) {
  const std::u16string base = folder.WindowsPath("");
  const std::string name(255 - base.size(), 'r');
  folder.WriteText(name,
                   u"Content-type: application/x-tv-program-info\nversion: 1\nstation: ABC\nstart: 21:00\n"
                   u"end: 22:00\nprogram-title: Long\n");
  const std::u16string path = folder.WindowsPath(name);
  ASSERT_EQ(path.size(), 255u);
  OpenWith(path + u".tvpi");
  EXPECT_EQ(window->GetText(IDC_FILE_NAME), u"Long");
}

TEST_F(StartUp, TheTunerOfAReservationOutlivesTheProfileLoadedAtStartUp) {
  folder.WriteText("Halvorn_setting.ini", u"[cap_sts]\nid=3\n[task]\naccount=recorder\n");
  folder.WriteText("r.tvpi",
                   u"Content-type: application/x-tv-program-info\nversion: 1\nstation: ABC\nstart: 21:00\n"
                   u"end: 22:00\nprogram-title: Tuned\nFX2ID: 2\n");
  OpenWith(Reservation());
  EXPECT_EQ(window->GetText(IDC_ID), u"2");
  EXPECT_NE(Preview().find(u" I2 "), std::u16string::npos);
}

TEST_F(StartUp, AReservationNamingAWorkItemIsNotRegisteredByTheSwitch) {
  folder.WriteText("r.tvpi",
                   u"Content-type: application/x-tv-program-info\nversion: 1\nstation: ABC\nstart: 21:00\n"
                   u"end: 22:00\nprogram-title: Again\nTASKNAME: Again.job\n");
  OpenWith(u"-auto " + Reservation());
  EXPECT_EQ(dialog.form.registration_mode, RegistrationMode::Quiet);
  window->Paint();
  EXPECT_TRUE(scheduler.saved.empty());
  EXPECT_FALSE(window->ended());
}

TEST_F(StartUp, ALoneQuoteIsAnEmptyPath) {
  OpenWith(u"\"");
  EXPECT_EQ(dialog.form.registration_mode, RegistrationMode::Normal);
  EXPECT_EQ(window->GetText(IDC_FILE_NAME), u"test");
}

TEST_F(StartUp, ControlsWithoutARowReachNoHandler) {
  Open();
  for (int edit : {IDC_REGISTRATION_NAME, IDC_ACCOUNT, IDC_PASS, IDC_PASS_CONFIRM}) window->Type(edit, u"x?");
  for (int box : {IDC_DEL_TASK, IDC_RESUME, IDC_AUTOCLOSE}) window->ClickCheckBox(box);
  window->ClickRadio(IDC_REPEAT_ONCE, 2);
  EXPECT_EQ(window->handled_events(), 0);
  EXPECT_EQ(dialog.form.registration_name, u"");  // read only when another handler reads the controls
}

TEST_F(StartUp, TheBrowseButtonsSetRecorderAndFolder) {
  Open();
  services.file_choices.push_back(u"C:\\tv\\cap_sts.exe");
  window->ClickButton(IDC_BROWSE_RECORDER);
  EXPECT_EQ(services.file_requests.at(0).initial_name, u"cap_sts.exe");
  EXPECT_EQ(services.file_requests.at(0).default_extension, u"exe");
  EXPECT_EQ(services.file_requests.at(0).filter, u"実行ファイル\0*.exe;*.bat\0全てのファイル\0*.*\0"sv);
  EXPECT_EQ(dialog.profiles[0].cap_sts_path, u"C:\\tv\\cap_sts.exe");

  window->ClickButton(IDC_BROWSE_RECORDER);  // cancelled
  EXPECT_EQ(window->GetText(IDC_CAP_STS_PATH), u"C:\\tv\\cap_sts.exe");

  services.folder_choices.push_back(u"D:\\" + std::u16string(300, u'r'));
  window->Type(IDC_ACCOUNT, u"typed");  // no handler reads it
  window->ClickButton(IDC_BROWSE_FOLDER);
  EXPECT_EQ(window->GetText(IDC_ACCOUNT), u"typed");
  EXPECT_EQ(services.folder_titles.at(0), u"フォルダを選択してください");
  EXPECT_EQ(dialog.profiles[0].folder.size(), 255u);
  EXPECT_EQ(window->GetText(IDC_FOLDER).size(), 303u);
}

// What the user typed where no handler reads it at once (the account) is
// read, not overwritten, by whatever the user does next.
TEST_F(StartUp, TypingNoHandlerReadsSurvivesEveryOtherAction) {
  Open();
  const std::pair<const char*, std::function<void(headless::Window&)>> actions[] = {
      {"browse recorder",
       [this](headless::Window& w) {
         services.file_choices.push_back(u"C:\\tv\\cap_sts.exe");
         w.ClickButton(IDC_BROWSE_RECORDER);
       }},
      {"browse folder",
       [this](headless::Window& w) {
         services.folder_choices.push_back(u"D:\\rec");
         w.ClickButton(IDC_BROWSE_FOLDER);
       }},
      {"channel row", [](headless::Window& w) { w.SelectListItem(IDC_CHANNEL_LIST, 1); }},
      {"tab", [](headless::Window& w) { w.ChangeTab(IDC_PROFILE_TABS, 0); }},
      {"spin", [](headless::Window& w) { w.PressSpin(IDC_ID_SPIN, 1); }},
      {"start time", [](headless::Window& w) { w.EditTime(IDC_START_TIME, At(20, 0)); }},
      {"date",
       [](headless::Window& w) {
         w.PickDate(IDC_START_DATE, {2026, 12, 0, 9, 0, 0, 0});
       }},
      {"extend", [](headless::Window& w) { w.ClickCheckBox(IDC_EXTEND); }},
      {"weekday", [](headless::Window& w) { w.ClickCheckBox(IDC_MONDAY); }},
      {"subtitle", [](headless::Window& w) { w.ClickCheckBox(IDC_SUBTITLE); }},
  };
  for (const auto& [what, action] : actions) {
    const std::u16string typed = u"typed before " + std::u16string(what, what + std::strlen(what));
    window->Type(IDC_ACCOUNT, typed);
    action(*window);
    EXPECT_EQ(window->GetText(IDC_ACCOUNT), typed) << what;
  }
}

TEST_F(StartUp, TheTaskViewerStartsBesideTheProgramQuoted) {
  services.executable_path = u"C:\\Program Files\\Halvorn\\Halvorn2.exe";
  Open();
  window->ClickButton(IDC_TASK_VIEWER);
  window->ClickButton(IDC_TASK_VIEWER);
  EXPECT_EQ(services.commands,
            (std::vector<std::u16string>(2, u"start \"\" \"C:\\Program Files\\Halvorn\\Brisquet.exe\"")));
}

}  // namespace

namespace {

// A reservation file from a web page that names another program's work
// item, or a file in the Tasks folder that is no work item, is refused with
// the reason, by hand and unattended, and nothing is deleted.
TEST_F(StartUp, AReservationFileReplacesNothingButARecordingReservation) {
  services.environment[u"SystemRoot"] = folder.WindowsPath("WINDOWS");
  scheduler.tasks_folder = folder.WindowsPath("WINDOWS/Tasks");
  std::filesystem::create_directories(folder / "WINDOWS/Tasks");
  JobFile updater;
  updater.application_name = u"C:\\Program Files\\Updater\\update.exe";
  updater.triggers.emplace_back();
  scheduler.saved[u"Updater"] = updater;
  WriteFileBytes(scheduler.tasks_folder + u"\\Updater.job", SerializeJobFile(updater));
  folder.WriteBytes("WINDOWS/Tasks/Broken.job", "no work item");
  const std::pair<const char16_t*, const char16_t*> named[] = {
      {u"Updater.job", u"Updater"}, {u"Updater.JOB .", u"Updater"}, {u"Broken.job", u"Broken"}};
  for (const auto& [value, name] : named) {
    for (bool unattended : {true, false}) {
      folder.WriteText("web.tvpi",
                       u"Content-type: application/x-tv-program-info\nversion: 1\nstation: ABC\n"
                       u"start: 21:00\nend: 22:00\nprogram-title: Web\nFX2ID: 7\nCHANNEL: 099\nTASKNAME: " +
                           std::u16string(value) + u"\n");
      CHalvorn2Dlg halvorn(services, scheduler);
      std::u16string arguments = u"-auto " + folder.WindowsPath("web.tvpi");
      if (unattended) halvorn.command_line = &arguments;
      const auto shown = platform.Open(halvorn);
      if (!unattended) {
        // The form is left exactly as it was: the file's tuner never shows.
        const std::u16string preview = shown->GetText(IDC_COMMAND_PREVIEW);
        services.file_choices.push_back(folder.WindowsPath("web.tvpi"));
        shown->ClickButton(IDC_OPEN_IEPG);
        EXPECT_EQ(shown->GetText(IDC_COMMAND_PREVIEW), preview);
      }
      EXPECT_EQ(shown->GetText(IDC_ID), u"0");
      shown->Paint();
      shown->Type(IDC_REGISTRATION_NAME, u"Web");
      shown->ClickButton(IDC_REGISTER);
      const std::u16string refusal =
          u"「" + std::u16string(name) +
          u"」は録画予約のタスクではありません。\r\n置き換えられないため、予約ファイルを読み込みませんでした。";
      ASSERT_FALSE(shown->message_boxes().empty());
      EXPECT_EQ(shown->message_boxes().front(), refusal);
      EXPECT_EQ(halvorn.form.delete_same_name, 0);
      EXPECT_TRUE(scheduler.deleted.empty());
      EXPECT_EQ(SerializeJobFile(scheduler.saved.at(u"Updater")), SerializeJobFile(updater));
      scheduler.Remove(u"Web");
    }
  }
}

}  // namespace

namespace {

// However a name reaches the registration, typed or from a reservation file,
// and whatever the bracket rule, the full-width swap and Windows' name forms
// make of it, another program's work item under the name that is stored is
// never replaced, whoever ticked 同名タスクを削除して登録.
TEST_F(StartUp, NoNameReachesAnotherProgramsWorkItem) {
  services.environment[u"SystemRoot"] = folder.WindowsPath("WINDOWS");
  scheduler.tasks_folder = folder.WindowsPath("WINDOWS/Tasks");
  std::filesystem::create_directories(folder / "WINDOWS/Tasks");
  folder.WriteText("Halvorn_setting.ini", u"[general]\nparentheses=1\n[task]\naccount=recorder\n");
  JobFile backup;
  backup.application_name = u"C:\\Program Files\\Backup\\backup.exe";
  backup.comment = u"nightly";
  backup.triggers.emplace_back();
  for (const char16_t* name : {u"Backup", u"Back＊up"}) {
    scheduler.saved[name] = backup;
    WriteFileBytes(scheduler.tasks_folder + u"\\" + name + u".job", SerializeJobFile(backup));
  }
  const struct {
    const char16_t* value;
    const char16_t* stored_as;  // nullptr: the line names no work item
  } rows[] = {{u"", nullptr},
              {u".", nullptr},
              {u".job", nullptr},
              {u"  ", nullptr},
              {u"Backup[1].job", u"Backup"},
              {u"Back*up.job", u"Back＊up"},
              {u"BACKUP.JOB .", u"BACKUP"},
              {u"backup", u"backup"}};
  for (const auto& row : rows) {
    for (bool ticked_by_hand : {false, true}) {
      folder.WriteText("web.tvpi",
                       u"Content-type: application/x-tv-program-info\nversion: 1\nstation: ABC\nstart: 21:00\n"
                       u"end: 22:00\nprogram-title: Backup\nFX2ID: 7\nTASKNAME: " +
                           std::u16string(row.value) + u"\n");
      std::u16string argument = folder.WindowsPath("web.tvpi");
      CHalvorn2Dlg halvorn(services, scheduler);
      halvorn.command_line = &argument;
      const auto shown = platform.Open(halvorn);
      if (ticked_by_hand && shown->GetCheck(IDC_DELETE_SAME_NAME) == 0) shown->ClickCheckBox(IDC_DELETE_SAME_NAME);
      shown->ClickButton(IDC_REGISTER);
      const std::u16string label = std::u16string(row.value) + (ticked_by_hand ? u" ticked" : u"");
      ASSERT_FALSE(shown->message_boxes().empty()) << std::filesystem::path(label);
      const bool replacing = ticked_by_hand || row.stored_as != nullptr;
      EXPECT_EQ(shown->message_boxes().back(), replacing
                                                   ? NotAReservationMessage(row.stored_as ? row.stored_as : u"Backup")
                                                   : u"既に同じ登録名があります\r\n違う登録名を入力してください")
          << std::filesystem::path(label);
      EXPECT_EQ(scheduler.saved.size(), 2u);
      for (const auto& [name, job] : scheduler.saved) EXPECT_EQ(SerializeJobFile(job), SerializeJobFile(backup));
      EXPECT_TRUE(scheduler.deleted.empty());
    }
  }
}

}  // namespace
