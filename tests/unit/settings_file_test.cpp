// The settings file as the program reads it at start-up and writes it at close.
#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include "platform/code_page.h"
#include "settings/ini_file_store.h"
#include "support/temp_folder.h"

namespace {

class SettingsFile : public ::testing::Test {
 protected:
  std::u16string Path() const { return folder.WindowsPath("Halvorn_setting.ini"); }
  void WriteFile(std::u16string_view text) const { folder.WriteText("Halvorn_setting.ini", text); }
  std::u16string FileText() const { return DecodeCodePage932(ReadTestFile()); }
  std::string ReadTestFile() const {
    std::ifstream file(folder / "Halvorn_setting.ini", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }
  void Read() {
    IniFileStore store(Path());
    ReadSettings(store, stored, form);
  }
  void Write() {
    IniFileStore store(Path());
    WriteSettings(store, stored, form);
  }

  TempFolder folder;
  StoredProfiles stored;
  ReservationForm form;
};

TEST_F(SettingsFile, WithoutAFileEverythingTakesItsDefaultAndClosingWritesTheWholeLayout) {
  Read();
  EXPECT_EQ(stored.profile_count, 1);
  const RecordingProfile& profile = stored.profiles[0];
  EXPECT_EQ(profile.title, u"default");
  EXPECT_EQ(profile.cap_sts_path, u"cap_sts.exe");
  EXPECT_EQ(profile.folder, u"C:");
  EXPECT_EQ(profile.id, u"0");
  EXPECT_EQ(profile.fileext, u".ts");
  EXPECT_EQ(profile.flags, (ProfileFlags{0, 0, 1, 0, 0, 0, 0, 0}));
  EXPECT_EQ(form.channel, u"001");
  EXPECT_EQ(form.subtitle, 1);
  EXPECT_EQ(form.offset_min, 1);

  Write();
  EXPECT_EQ(
      FileText(),
      u"[system]\r\nautoclose=0\r\ncursor=0\r\noption_number=1\r\noffset_min=1\r\n"
      u"[general]\r\nchannel=001\r\nsubtitle=1\r\nextend=0\r\nparentheses=0\r\n"
      u"[cap_sts]\r\ntitle=default\r\ncap_sts_path=cap_sts.exe\r\nfolder=C:\r\nvlc_parm=\r\nid=0\r\nfileext=.ts\r\n"
      u"power_on=0\r\npower_off=0\r\nbcs=1\r\nb25=0\r\nvlc=0\r\nsel=0\r\nsus=0\r\nrmc=0\r\n"
      u"[task]\r\naccount=\r\npass=\r\ndel_task=0\r\nresume=0\r\n");
}

TEST_F(SettingsFile, ClampsTheCountTheCursorAndTheLead) {
  WriteFile(u"[system]\noption_number=0\noffset_min=0\n");
  Read();
  EXPECT_EQ(stored.profile_count, 1);
  EXPECT_EQ(form.offset_min, 1);

  WriteFile(u"[system]\noption_number=12\ncursor=5\noffset_min=30\n");
  Read();
  EXPECT_EQ(stored.profile_count, 9);
  EXPECT_EQ(stored.cursor, 5);
  EXPECT_EQ(form.offset_min, 10);
  Write();
  EXPECT_NE(FileText().find(u"offset_min=10\r\n"), std::u16string::npos);

  WriteFile(u"[system]\noption_number=3\ncursor=3\n");
  Read();
  EXPECT_EQ(stored.cursor, 0);
  WriteFile(u"[system]\noption_number=3\ncursor=-1\n");
  Read();
  EXPECT_EQ(stored.cursor, 0);
}

TEST_F(SettingsFile, OnlyTheFirstProfileFallsBackToDefaultAsItsTitle) {
  WriteFile(u"[system]\noption_number=2\n[cap_sts_1]\nfolder=D:\\rec\nbcs=0\n");
  Read();
  EXPECT_EQ(stored.profiles[0].title, u"default");
  EXPECT_EQ(stored.profiles[0].folder, u"C:");
  EXPECT_EQ(stored.profiles[1].title, u"");
  EXPECT_EQ(stored.profiles[1].folder, u"D:\\rec");
  EXPECT_EQ(stored.profiles[1].flags[bcs], 0);
  EXPECT_EQ(stored.profiles[1].cap_sts_path, u"cap_sts.exe");
}

TEST_F(SettingsFile, EachFlagKeyNamesItsOwnFlagBothWays) {
  const struct {
    const char16_t* key;
    ProfileFlag flag;
  } keys[] = {{u"power_on", power_on}, {u"power_off", power_off},
              {u"bcs", bcs},           {u"b25", b25},
              {u"vlc", vlc},           {u"sel", sel},
              {u"sus", sus},           {u"rmc", rmc}};
  for (const auto& key : keys) {
    // The key set to the opposite of its default: only its own flag turns.
    const int set = key.flag == bcs ? 0 : 1;
    WriteFile(u"[cap_sts]\n" + std::u16string(key.key) + u"=" + std::u16string(1, char16_t(u'0' + set)) + u"\n");
    Read();
    ProfileFlags expected{0, 0, 1, 0, 0, 0, 0, 0};
    expected[key.flag] = set;
    EXPECT_EQ(stored.profiles[0].flags, expected) << "reading " << key.flag;

    stored.profiles[0].flags = {};
    stored.profiles[0].flags[key.flag] = 1;
    Write();
    EXPECT_NE(FileText().find(u"\r\n" + std::u16string(key.key) + u"=1\r\n"), std::u16string::npos)
        << "writing " << key.flag;
  }
}

TEST_F(SettingsFile, CutsLongValuesToTheirWidths) {
  WriteFile(u"[general]\nchannel=0123456789\n[cap_sts]\ntitle=" + std::u16string(60, u't') + u"\nvlc_parm=" +
            std::u16string(40, u'v') + u"\n[task]\naccount=" + std::u16string(300, u'a') + u"\npass=" +
            std::u16string(300, u'p') + u"\n");
  Read();
  EXPECT_EQ(form.channel, u"012345678");
  EXPECT_EQ(stored.profiles[0].title.size(), 49u);
  EXPECT_EQ(stored.profiles[0].vlc_parm.size(), 29u);
  EXPECT_EQ(form.account.size(), 255u);
  EXPECT_EQ(form.pass.size(), 255u);
  EXPECT_EQ(form.pass_confirm.size(), 255u);
}

TEST_F(SettingsFile, KeepsTheSectionsOfDeletedProfiles) {
  stored.profile_count = 5;
  for (int i = 0; i < 5; ++i) stored.profiles[static_cast<size_t>(i)].title = u"p" + std::u16string(1, u'0' + i);
  Write();
  stored.profile_count = 3;
  Write();
  EXPECT_NE(FileText().find(u"[cap_sts_4]\r\ntitle=p4"), std::u16string::npos);
  Read();
  EXPECT_EQ(stored.profile_count, 3);
}

TEST_F(SettingsFile, SavesThePasswordFieldAndReadsItIntoBothFields) {
  form.account = u"recorder";
  form.pass = u"secret";
  form.pass_confirm = u"different";
  Write();
  ReservationForm later;
  IniFileStore store(Path());
  ReadSettings(store, stored, later);
  EXPECT_EQ(later.pass, u"secret");
  EXPECT_EQ(later.pass_confirm, u"secret");
}

TEST_F(SettingsFile, ARoundTripLosesNothingJapaneseIncluded) {
  form.autoclose = 1;
  form.offset_min = 7;
  form.channel = u"B101";
  form.subtitle = 0;
  form.extend = 1;
  form.parentheses = 1;
  form.account = u"録画係";
  form.pass = form.pass_confirm = u"パス";
  form.del_task = 1;
  form.resume = 1;
  stored.profile_count = 2;
  stored.cursor = 1;
  RecordingProfile& second = stored.profiles[1];
  second.title = u"地デジ用";
  second.cap_sts_path = u"C:\\録画\\cap_sts.exe";
  second.folder = u"D:\\録画";
  second.vlc_parm = u"ffmpeg:x264";
  second.id = u"3";
  second.fileext = u".m2ts";
  second.flags = {1, 0, 1, 1, 0, 1, 1, 0};
  stored.profiles[0].title = u"default";
  Write();
  // The file is code page 932, as a Japanese Windows writes it.
  EXPECT_NE(ReadTestFile().find(EncodeCodePage932(u"title=地デジ用")), std::string::npos);

  StoredProfiles read;
  ReservationForm read_form;
  IniFileStore store(Path());
  ReadSettings(store, read, read_form);
  EXPECT_EQ(read.profile_count, 2);
  EXPECT_EQ(read.cursor, 1);
  for (int i = 0; i < 2; ++i) {
    const RecordingProfile& a = stored.profiles[static_cast<size_t>(i)];
    const RecordingProfile& b = read.profiles[static_cast<size_t>(i)];
    EXPECT_EQ(a.title, b.title);
    EXPECT_EQ(a.cap_sts_path, b.cap_sts_path);
    EXPECT_EQ(a.folder, b.folder);
    EXPECT_EQ(a.vlc_parm, b.vlc_parm);
    EXPECT_EQ(a.id, b.id);
    EXPECT_EQ(a.fileext, b.fileext);
    EXPECT_EQ(a.flags, b.flags);
  }
  EXPECT_EQ(read_form.autoclose, 1);
  EXPECT_EQ(read_form.offset_min, 7);
  EXPECT_EQ(read_form.channel, u"B101");
  EXPECT_EQ(read_form.subtitle, 0);
  EXPECT_EQ(read_form.extend, 1);
  EXPECT_EQ(read_form.parentheses, 1);
  EXPECT_EQ(read_form.account, u"録画係");
  EXPECT_EQ(read_form.pass, u"パス");
  EXPECT_EQ(read_form.del_task, 1);
  EXPECT_EQ(read_form.resume, 1);
}

}  // namespace
