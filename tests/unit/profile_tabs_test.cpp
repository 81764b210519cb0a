// Profiles on tabs: adding by name, deleting, switching; and the start-up
// that fills them from the settings file.
#include <gtest/gtest.h>

#include "platform/code_page.h"
#include "support/main_dialog_fixture.h"

namespace {

class ProfileTabs : public MainDialogTest {
 protected:
  // Four profiles whose folders are F0 to F3, the third selected.
  void OpenWithProfiles(int count, int cursor) {
    std::u16string text = u"[system]\noption_number=" + Digit(count) + u"\ncursor=" + Digit(cursor) + u"\n";
    for (int i = 0; i < count; ++i) {
      text += (i == 0 ? u"[cap_sts]" : u"[cap_sts_" + Digit(i) + u"]") + u"\ntitle=P" + Digit(i) + u"\nfolder=F" +
              Digit(i) + u"\nvlc_parm=vlc:v" + Digit(i) + u"\n";
    }
    folder.WriteText("Halvorn_setting.ini", text);
    folder.WriteText("cap_sts_sea.ini", u"[VLC_SETTING]\nv0=\nv1=\nv2=\nv3=\nv4=\n");
    Open();
  }
  static std::u16string Digit(int i) { return std::u16string(1, static_cast<char16_t>(u'0' + i)); }
  std::vector<std::u16string> Captions() {
    std::vector<std::u16string> captions;
    fw::TabControl& tabs = window->Tab(IDC_PROFILE_TABS);
    for (int i = 0; i < tabs.GetItemCount(); ++i) captions.push_back(tabs.GetItemText(i));
    return captions;
  }
  void AnswerNameDialog(std::u16string name) {
    platform.RespondToNextModal([name](headless::Window& w) {
      w.Type(IDC_PROFILE_NAME, name);
      w.PressEnter();
    });
  }
};

TEST_F(ProfileTabs, StartUpSelectsTheStoredTabAndItsPreset) {
  OpenWithProfiles(4, 2);
  EXPECT_EQ(Captions(), (std::vector<std::u16string>{u"P0", u"P1", u"P2", u"P3"}));
  EXPECT_EQ(window->Tab(IDC_PROFILE_TABS).GetCurSel(), 2);
  EXPECT_EQ(window->GetText(IDC_FOLDER), u"F2");
  EXPECT_EQ(window->Combo(IDC_ENCODER_PRESETS).GetCurSel(), 2);
}

TEST_F(ProfileTabs, AddingCopiesTheCurrentProfileUnderTheNewName) {
  OpenWithProfiles(4, 2);
  const std::u16string preview = Preview();
  AnswerNameDialog(u"録画" + std::u16string(60, u'x'));
  window->ClickButton(IDC_ADD_PROFILE);
  EXPECT_EQ(platform.modal_templates(), std::vector<int>{IDD_NAME_INPUT});
  EXPECT_EQ(dialog.profile_count, 5);
  EXPECT_EQ(window->Tab(IDC_PROFILE_TABS).GetCurSel(), 4);
  EXPECT_EQ(Captions()[4], u"録画" + std::u16string(47, u'x'));
  EXPECT_EQ(dialog.profiles[4].folder, u"F2");
  EXPECT_EQ(Preview(), preview);
}

TEST_F(ProfileTabs, AddingStopsAtNine) {
  OpenWithProfiles(9, 0);
  window->ClickButton(IDC_ADD_PROFILE);
  EXPECT_TRUE(platform.modal_templates().empty());
  EXPECT_EQ(dialog.profile_count, 9);

  MainDialogTest::TearDown();
}

TEST_F(ProfileTabs, AnEmptyNameAddsNoProfile) {
  OpenWithProfiles(2, 0);
  AnswerNameDialog(u"");
  window->ClickButton(IDC_ADD_PROFILE);
  EXPECT_EQ(dialog.profile_count, 2);
  EXPECT_EQ(Captions().size(), 2u);
  window->ClickButton(IDC_ADD_PROFILE);  // cancelled
  EXPECT_EQ(dialog.profile_count, 2);
}

TEST_F(ProfileTabs, DeletingClosesTheGapAndShowsTheFirstProfile) {
  OpenWithProfiles(4, 3);
  window->ClickButton(IDC_DELETE_PROFILE);
  EXPECT_EQ(Captions(), (std::vector<std::u16string>{u"P0", u"P1", u"P2"}));
  EXPECT_EQ(window->Tab(IDC_PROFILE_TABS).GetCurSel(), 0);
  EXPECT_EQ(window->GetText(IDC_FOLDER), u"F0");
  EXPECT_EQ(window->Combo(IDC_ENCODER_PRESETS).GetCurSel(), 0);
  window->PressCloseButton();
  std::ifstream file(folder / "Halvorn_setting.ini", std::ios::binary);
  const std::u16string saved = DecodeCodePage932(std::string(std::istreambuf_iterator<char>(file), {}));
  EXPECT_NE(saved.find(u"option_number=3"), std::u16string::npos);
  EXPECT_NE(saved.find(u"[cap_sts_3]"), std::u16string::npos);  // left as it was
}

TEST_F(ProfileTabs, DeletingAMiddleProfileMovesTheOnesBehindItUp) {
  OpenWithProfiles(4, 1);
  window->ClickButton(IDC_DELETE_PROFILE);
  EXPECT_EQ(Captions(), (std::vector<std::u16string>{u"P0", u"P2", u"P3"}));
  EXPECT_EQ(dialog.profiles[1].folder, u"F2");
  EXPECT_EQ(dialog.profiles[2].folder, u"F3");
  window->ChangeTab(IDC_PROFILE_TABS, 2);
  EXPECT_EQ(window->GetText(IDC_FOLDER), u"F3");
  // The selected tab is what the next start opens on.
  window->PressCloseButton();
  std::ifstream file(folder / "Halvorn_setting.ini", std::ios::binary);
  const std::string saved(std::istreambuf_iterator<char>(file), {});
  EXPECT_NE(saved.find("cursor=2\r\n"), std::string::npos);
  EXPECT_NE(saved.find("[cap_sts_1]\r\ntitle=P2"), std::string::npos);
}

TEST_F(ProfileTabs, TheSavedPresetIsSelectedExactlyAndKeptByTheNextChange) {
  folder.WriteText("cap_sts_sea.ini",
                   u"[VLC_SETTING]\nh264=a\nh264hq=b\n[FFMPEG_SETTING]\n"
                   u"abcdefghijklmnopqrstuvwxyz1=c\nabcdefghijklmnopqrstuvwxyz2=d\n");
  auto settings_with_preset = [this](std::u16string_view preset) {
    folder.WriteText("Halvorn_setting.ini", u"[system]\noption_number=2\n[cap_sts]\nvlc_parm=" +
                                                std::u16string(preset) +
                                                u"\n[cap_sts_1]\ntitle=two\nvlc_parm=vlc:h264hq\n");
  };
  settings_with_preset(u"vlc:h264");
  Open();
  EXPECT_EQ(window->Combo(IDC_ENCODER_PRESETS).GetCurSel(), 0);
  window->Type(IDC_CHANNEL, u"9");
  EXPECT_EQ(dialog.profiles[0].vlc_parm, u"vlc:h264");
  window->ChangeTab(IDC_PROFILE_TABS, 1);
  EXPECT_EQ(window->Combo(IDC_ENCODER_PRESETS).GetCurSel(), 1);
  window->ChangeTab(IDC_PROFILE_TABS, 0);
  EXPECT_EQ(window->Combo(IDC_ENCODER_PRESETS).GetCurSel(), 0);

  const struct {
    const char16_t* preset;
    int selected;
  } cases[] = {
      {u"VLC:H264", 0},  // without regard to case, as the platform's list
      // Not saved whole: found by its beginning, searched from after the first item.
      {u"ffmpeg:abcdefghijklmnopqrstuv", 2},
      {u"vlc:h2", 1},
      {u"", -1},  // an empty text finds nothing
      {u"vlc:mpeg", -1},
  };
  for (const auto& c : cases) {
    settings_with_preset(c.preset);
    headless::Platform restart{{2026, 12, 2, 8, 21, 0, 0}};
    CHalvorn2Dlg restarted(services, scheduler);
    const auto reopened = restart.Open(restarted);
    EXPECT_EQ(reopened->Combo(IDC_ENCODER_PRESETS).GetCurSel(), c.selected) << "preset " << c.selected;
  }
}

TEST_F(ProfileTabs, TheLastProfileCannotBeDeleted) {
  OpenWithProfiles(1, 0);
  window->ClickButton(IDC_DELETE_PROFILE);
  EXPECT_EQ(dialog.profile_count, 1);
}

TEST_F(ProfileTabs, WithNoTabSelectedNothingIsDeleted) {
  OpenWithProfiles(3, 1);
  window->Tab(IDC_PROFILE_TABS).SetCurSel(-1);
  window->ClickButton(IDC_DELETE_PROFILE);
  EXPECT_EQ(dialog.profile_count, 3);
  EXPECT_EQ(Captions(), (std::vector<std::u16string>{u"P0", u"P1", u"P2"}));
}

TEST_F(ProfileTabs, EachTabKeepsItsOwnSetUpAndTheSharedValuesStay) {
  OpenWithProfiles(3, 1);
  window->Type(IDC_FOLDER, u"changed");
  window->Type(IDC_FILE_NAME, u"shared");
  window->ChangeTab(IDC_PROFILE_TABS, 0);
  EXPECT_EQ(window->GetText(IDC_FOLDER), u"F0");
  EXPECT_EQ(window->GetText(IDC_FILE_NAME), u"shared");
  EXPECT_EQ(window->Combo(IDC_ENCODER_PRESETS).GetCurSel(), 0);
  // A change on the new tab keeps that tab's preset, not the previous one's.
  window->Type(IDC_CHANNEL, u"9");
  EXPECT_EQ(dialog.profiles[0].vlc_parm, u"vlc:v0");
  window->ChangeTab(IDC_PROFILE_TABS, 1);
  EXPECT_EQ(window->GetText(IDC_FOLDER), u"changed");
}

}  // namespace
