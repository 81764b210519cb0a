// The main dialog as the user works it: every change keeps the selected
// profile and the command preview current.
#include "dialog/halvorn2_dlg.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "platform/local_time.h"
#include "support/main_dialog_fixture.h"

namespace {

class MainDialogForm : public MainDialogTest {
 protected:
  void SetUp() override { Open(); }
};

TEST_F(MainDialogForm, StartsWithoutASettingsFileFromTheDefaults) {
  EXPECT_EQ(dialog.profile_count, 1);
  EXPECT_EQ(window->Tab(IDC_PROFILE_TABS).GetItemText(0), u"default");
  EXPECT_EQ(window->GetText(IDC_CAP_STS_PATH), u"cap_sts.exe");
  EXPECT_EQ(window->GetText(IDC_FOLDER), u"C:");
  EXPECT_EQ(window->GetText(IDC_ID), u"0");
  EXPECT_EQ(window->GetCheck(IDC_BCS), 1);
  EXPECT_EQ(window->GetText(IDC_FILE_NAME), u"test");
  EXPECT_EQ(window->GetText(IDC_FILEEXT), u".ts");
  EXPECT_TRUE(window->date_time_format_is(IDC_START_TIME, u"HH:mm"));
  EXPECT_TRUE(window->date_time_format_is(IDC_END_TIME, u"HH:mm"));
  EXPECT_EQ(dialog.form.start_weekday, 2);  // the calendar opens on a Tuesday
  EXPECT_EQ(window->GetCheck(IDC_TUESDAY), 1);
  EXPECT_EQ(Preview(), u"cap_sts.exe \"C:\\test.ts\" @001 21:00-21:00 B");
  EXPECT_EQ(window->handled_events(), 0);
  EXPECT_TRUE(window->default_focus());
}

TEST_F(MainDialogForm, WorkedExampleEnteredAsAUserWouldGivesTheExactPreview) {
  window->Combo(IDC_ENCODER_PRESETS).AddString(u"vlc:mpeg4");
  window->Type(IDC_CAP_STS_PATH, u"C:\\tv\\cap_sts.exe");
  window->Type(IDC_FOLDER, u"D:\\rec");
  window->Type(IDC_FILE_NAME, u"news");
  window->Type(IDC_FILEEXT, u".ts");
  window->Type(IDC_CHANNEL, u"101");
  window->Type(IDC_ID, u"2");
  window->PickComboItem(IDC_ENCODER_PRESETS, 0);
  for (int box : {IDC_RMC, IDC_POWER_ON, IDC_B25, IDC_VLC, IDC_POWER_OFF}) window->ClickCheckBox(box);
  ASSERT_EQ(window->GetCheck(IDC_BCS), 1);  // on by default
  window->EditTime(IDC_START_TIME, At(21, 0));
  window->EditTime(IDC_END_TIME, At(21, 54));
  EXPECT_EQ(Preview(), u"C:\\tv\\cap_sts.exe \"D:\\rec\\news.ts\" I2 R2 P @101 21:00-21:54 B B25 vlc:mpeg4 POFF");

  window->Type(IDC_ID, u"0");
  EXPECT_EQ(Preview(), u"C:\\tv\\cap_sts.exe \"D:\\rec\\news.ts\" P @101 21:00-21:54 B B25 vlc:mpeg4 POFF");

  const RecordingProfile& profile = dialog.profiles[0];
  EXPECT_EQ(profile.cap_sts_path, u"C:\\tv\\cap_sts.exe");
  EXPECT_EQ(profile.vlc_parm, u"vlc:mpeg4");
  EXPECT_EQ(profile.flags, (ProfileFlags{1, 1, 1, 1, 0, 0, 1, 1}));
}

TEST_F(MainDialogForm, TypedNamesShowTheirFullWidthCorrection) {
  window->Type(IDC_FILE_NAME, u"a/b:c");
  EXPECT_EQ(window->GetText(IDC_FILE_NAME), u"a\uFF0Fb\uFF1Ac");
  // The registration name has no handler; the next composition corrects it.
  window->Type(IDC_REGISTRATION_NAME, u"rec?");
  window->Type(IDC_CHANNEL, u"5");
  EXPECT_EQ(window->GetText(IDC_REGISTRATION_NAME), u"rec\uFF1F");
}

TEST_F(MainDialogForm, OnlyProfileControlsChangeTheProfile) {
  window->Type(IDC_CHANNEL, u"777");
  EXPECT_EQ(dialog.profiles[0].fileext, u".ts");
  window->Type(IDC_FILEEXT, u".m2t");
  EXPECT_EQ(dialog.profiles[0].fileext, u".m2t");
  EXPECT_NE(Preview().find(u"@777"), std::u16string::npos);
}

TEST_F(MainDialogForm, LongProfileTextsAreCutInTheProfileAndComeBackCut) {
  const std::u16string folder(300, u'f');
  window->Type(IDC_FOLDER, folder);
  EXPECT_EQ(dialog.profiles[0].folder.view(), folder.substr(0, 255));
  EXPECT_EQ(dialog.form.folder, folder);  // the form keeps it until a profile is loaded
  window->Type(IDC_ID, u"1234567890123");
  EXPECT_EQ(dialog.profiles[0].id, u"123456789");

  dialog.LoadProfile(0);
  dialog.ComposeCommandLine();
  EXPECT_EQ(window->GetText(IDC_FOLDER), folder.substr(0, 255));

  dialog.form.folder = u"unchanged";
  dialog.LoadProfile(-1);
  dialog.LoadProfile(dialog.profile_count);
  EXPECT_EQ(dialog.form.folder, u"unchanged");
}

TEST_F(MainDialogForm, TheSpinStepsTheTunerIdWithinOneDigit) {
  struct Step {
    const char16_t* before;
    int delta;
    const char16_t* after;
  };
  for (const Step& step : {Step{u"", 1, u"0"}, Step{u"9", 1, u"9"}, Step{u"0", -1, u"0"}, Step{u"abc", 1, u"1"},
                           Step{u"4.7", 1, u"5"}, Step{u"1e9", -1, u"9"}, Step{u"", -1, u"0"}, Step{u"inf", 1, u"1"},
                           Step{u"0x5", 1, u"1"}, Step{u"nan", 2, u"2"}, Step{u"-7", 3, u"0"}}) {
    window->Type(IDC_ID, step.before);
    window->PressSpin(IDC_ID_SPIN, step.delta);
    EXPECT_EQ(window->GetText(IDC_ID), step.after) << "delta " << step.delta;
  }
  window->Type(IDC_ID, u"3");
  window->PressSpin(IDC_ID_SPIN, 1);
  EXPECT_EQ(dialog.profiles[0].id, u"3");  // the spin itself stores nothing
  EXPECT_NE(Preview().find(u" I4"), std::u16string::npos);
}

TEST_F(MainDialogForm, EveryRoutedNotificationReachesItsHandlerAndNoOtherDoes) {
  using fw::EventKind;
  const std::set<std::pair<EventKind, int>> routed = [] {
    std::set<std::pair<EventKind, int>> rows;
    for (int id : {fw::kIdOk,
                   fw::kIdCancel,
                   IDC_POWER_ON,
                   IDC_POWER_OFF,
                   IDC_BCS,
                   IDC_B25,
                   IDC_SEL,
                   IDC_SUS,
                   IDC_VLC,
                   IDC_RMC,
                   IDC_DELETE_SAME_NAME,
                   IDC_BROWSE_RECORDER,
                   IDC_BROWSE_FOLDER,
                   IDC_REGISTER,
                   IDC_OPEN_IEPG,
                   IDC_EXTEND,
                   IDC_ADD_PROFILE,
                   IDC_DELETE_PROFILE,
                   IDC_TASK_VIEWER,
                   IDC_SUBTITLE,
                   IDC_PARENTHESES}) {
      rows.insert({EventKind::Click, id});
    }
    for (int day = IDC_SUNDAY; day <= IDC_SATURDAY; ++day) rows.insert({EventKind::Click, day});
    for (int id : {IDC_CAP_STS_PATH, IDC_FOLDER, IDC_FILE_NAME, IDC_FILEEXT, IDC_CHANNEL, IDC_ID}) {
      rows.insert({EventKind::TextChange, id});
    }
    rows.insert({{EventKind::DateTimeChange, IDC_START_TIME},
                 {EventKind::DateTimeChange, IDC_END_TIME},
                 {EventKind::DeltaPos, IDC_ID_SPIN},
                 {EventKind::SelChange, IDC_CHANNEL_LIST},
                 {EventKind::SelChanging, IDC_PROFILE_TABS},
                 {EventKind::SelChange, IDC_PROFILE_TABS},
                 {EventKind::CloseUp, IDC_ENCODER_PRESETS},
                 {EventKind::DateSelect, IDC_START_DATE}});
    return rows;
  }();
  std::set<std::pair<EventKind, int>> handled;
  for (EventKind kind : {EventKind::Click, EventKind::TextChange, EventKind::DateTimeChange, EventKind::DeltaPos,
                         EventKind::SelChange, EventKind::SelChanging, EventKind::CloseUp, EventKind::DateSelect}) {
    for (int id = 0; id < 1070; ++id) {
      if (window->Notify(kind, id)) handled.insert({kind, id});
    }
  }
  EXPECT_EQ(handled, routed);
  EXPECT_FALSE(window->ended());
}

TEST_F(MainDialogForm, EveryProfileControlAndTheReplaceBoxStoreTheChosenPreset) {
  window->Combo(IDC_ENCODER_PRESETS).AddString(u"vlc:chosen");
  window->Combo(IDC_ENCODER_PRESETS).SetCurSel(0);
  for (int box :
       {IDC_POWER_ON, IDC_POWER_OFF, IDC_BCS, IDC_B25, IDC_SEL, IDC_SUS, IDC_VLC, IDC_RMC, IDC_DELETE_SAME_NAME}) {
    dialog.profiles[0].vlc_parm = u"";
    window->ClickCheckBox(box);
    EXPECT_EQ(dialog.profiles[0].vlc_parm, u"vlc:chosen") << "check box " << box;
  }
  for (int edit : {IDC_CAP_STS_PATH, IDC_FOLDER, IDC_FILE_NAME, IDC_FILEEXT, IDC_CHANNEL, IDC_ID}) {
    dialog.profiles[0].vlc_parm = u"";
    window->Type(edit, u"1");
    EXPECT_EQ(dialog.profiles[0].vlc_parm, u"vlc:chosen") << "edit " << edit;
  }
  EXPECT_EQ(dialog.form.delete_same_name, 1);
}

TEST_F(MainDialogForm, WithNoPresetChosenAChangeKeepsTheProfilesEncoderText) {
  dialog.profiles[0].vlc_parm = u"vlc:saved";
  dialog.form.vlc_parm = u"vlc:saved";
  window->Combo(IDC_ENCODER_PRESETS).AddString(u"vlc:other");
  window->Type(IDC_FOLDER, u"D:\\rec");
  EXPECT_EQ(dialog.profiles[0].vlc_parm, u"vlc:saved");
}

TEST_F(MainDialogForm, AWeekdayClickRecomposesNothingButAPickedDateDoes) {
  window->Type(IDC_REGISTRATION_NAME, u"x?");
  window->ClickCheckBox(IDC_FRIDAY);
  EXPECT_EQ(window->GetText(IDC_REGISTRATION_NAME), u"x?");
  window->PickDate(IDC_START_DATE, {2026, 12, 0, 11, 0, 0, 0});
  EXPECT_EQ(window->GetText(IDC_REGISTRATION_NAME), u"x\uFF1F");
}

TEST_F(MainDialogForm, TheStartDatesWeekdayStaysTicked) {
  window->ClickCheckBox(IDC_TUESDAY);
  EXPECT_EQ(window->GetCheck(IDC_TUESDAY), 1);
  window->ClickCheckBox(IDC_FRIDAY);
  window->ClickCheckBox(IDC_FRIDAY);
  EXPECT_EQ(window->GetCheck(IDC_FRIDAY), 0);

  dialog.form.start_weekday = -1;
  window->ClickCheckBox(IDC_TUESDAY);
  EXPECT_EQ(window->GetCheck(IDC_TUESDAY), 0);
  // Sunday is a start date's weekday like any other.
  window->PickDate(IDC_START_DATE, {2026, 12, 0, 13, 0, 0, 0});
  window->ClickCheckBox(IDC_SUNDAY);
  EXPECT_EQ(window->GetCheck(IDC_SUNDAY), 1);
}

TEST_F(MainDialogForm, ExtendShowsTheStoredEndTimeEvenAfterAHandEdit) {
  dialog.form.end_times = {*SecondsFromLocalTime(At(21, 54)), *SecondsFromLocalTime(At(22, 24))};
  window->ClickCheckBox(IDC_EXTEND);
  EXPECT_EQ(window->DateTime(IDC_END_TIME).GetTime().minute, 24);
  window->EditTime(IDC_END_TIME, At(23, 5));
  EXPECT_NE(Preview().find(u"-23:05"), std::u16string::npos);
  window->ClickCheckBox(IDC_EXTEND);
  EXPECT_EQ(window->DateTime(IDC_END_TIME).GetTime().hour, 21);
  EXPECT_EQ(window->DateTime(IDC_END_TIME).GetTime().minute, 54);
  EXPECT_NE(Preview().find(u"-21:54"), std::u16string::npos);
}

TEST_F(MainDialogForm, ClosingTheEncoderListStoresThePresetAndResetsTheEndTime) {
  dialog.form.end_times = {*SecondsFromLocalTime(At(21, 54)), *SecondsFromLocalTime(At(22, 24))};
  window->Combo(IDC_ENCODER_PRESETS).AddString(u"ffmpeg:a_very_long_preset_name_beyond_29");
  window->EditTime(IDC_END_TIME, At(23, 0));
  window->PickComboItem(IDC_ENCODER_PRESETS, 0);
  EXPECT_EQ(dialog.profiles[0].vlc_parm, u"ffmpeg:a_very_long_preset_nam");
  EXPECT_EQ(window->DateTime(IDC_END_TIME).GetTime().minute, 54);
}

TEST_F(MainDialogForm, EnterAndEscKeepTheDialogOpenAndTheCloseButtonEndsIt) {
  window->PressEnter();
  window->PressEsc();
  EXPECT_FALSE(window->ended());
  window->PressCloseButton();
  EXPECT_TRUE(window->ended());
  EXPECT_EQ(window->result(), 0);
}

TEST_F(MainDialogForm, PaintingAMinimizedDialogDrawsItsIconInTheMiddle) {
  window->Paint();
  EXPECT_TRUE(window->drawn_icons().empty());
  window->Minimize();
  window->Paint();
  ASSERT_EQ(window->drawn_icons().size(), 1u);
  EXPECT_EQ(window->drawn_icons()[0].resource_id, IDR_MAINFRAME);
  EXPECT_EQ(window->drawn_icons()[0].x, (566 - 32 + 1) / 2);
  EXPECT_EQ(window->drawn_icons()[0].y, (554 - 32 + 1) / 2);
  EXPECT_EQ(window->erased_backgrounds(), 1);
  ASSERT_EQ(window->icons_set().size(), 2u);
  EXPECT_TRUE(window->icons_set()[0].second);  // big, then small
  EXPECT_FALSE(window->icons_set()[1].second);
  EXPECT_EQ(window->icons_set()[1].first.resource_id, IDR_MAINFRAME);
}

}  // namespace
