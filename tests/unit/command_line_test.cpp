// The recorder's command line as it is composed from the form.
#include "compose/command_line.h"

#include <gtest/gtest.h>

#include <string>

#include "support/worked_example.h"

namespace {

ReservationForm WorkedExample() { return WorkedExampleForm(); }

std::u16string Compose(ReservationForm& form, ClockTime start = {21, 0}, ClockTime end = {21, 54}) {
  ComposeRecorderCommand(form, start, end);
  return std::u16string(form.parameters.view());
}

TEST(ComposeRecorderCommand, WorkedExampleGivesTheExactParametersAndPreview) {
  ReservationForm form = WorkedExample();
  EXPECT_EQ(Compose(form), u"\"D:\\rec\\news.ts\" I2 R2 P @101 21:00-21:54 B B25 vlc:mpeg4 POFF");
  EXPECT_EQ(form.application_name.view(), u"C:\\tv\\cap_sts.exe");
  EXPECT_EQ(form.command_preview,
            u"C:\\tv\\cap_sts.exe \"D:\\rec\\news.ts\" I2 R2 P @101 21:00-21:54 B B25 vlc:mpeg4 POFF");
}

TEST(ComposeRecorderCommand, ATunerIdThatReadsAsZeroAddsNeitherIdNorRemoteSwitch) {
  // Only a decimal number counts: hexadecimal, infinities and "nan" read as 0.
  for (const char16_t* id : {u"0", u"", u"x7", u" 0.0", u"0x5", u"inf", u"INFINITY", u"nan", u"-0", u"1e-999"}) {
    ReservationForm form = WorkedExample();
    form.id = id;
    EXPECT_EQ(Compose(form), u"\"D:\\rec\\news.ts\" P @101 21:00-21:54 B B25 vlc:mpeg4 POFF")
        << "id " << form.id.size();
  }
  ReservationForm form = WorkedExample();
  form.id = u"  3abc";  // read like the C library: blanks skipped, digits up to the letters
  EXPECT_NE(Compose(form).find(u" I  3abc R  3abc P"), std::u16string::npos);

  // The remote switch follows the tuner only when the remote is linked.
  form.id = u"2";
  form.flags[rmc] = 0;
  EXPECT_EQ(Compose(form), u"\"D:\\rec\\news.ts\" I2 P @101 21:00-21:54 B B25 vlc:mpeg4 POFF");
}

TEST(ComposeRecorderCommand, SwitchesKeepTheirPlacesWhenValuesAreEmpty) {
  ReservationForm form;
  form.flags[vlc] = 1;
  form.flags[sel] = form.flags[sus] = 1;
  form.file_name = u"x";
  EXPECT_EQ(Compose(form, {23, 30}, {0, 30}), u"\"\\x.ts\" @ 23:30-00:30 SEL  SUSPEND");
}

TEST(ComposeRecorderCommand, ForbiddenCharactersInNamesBecomeFullWidth) {
  ReservationForm form = WorkedExample();
  form.file_name = u"a/b:c";
  form.registration_name = u"what?<now>|\"\\*";
  Compose(form);
  EXPECT_EQ(form.file_name, u"a\uFF0Fb\uFF1Ac");
  EXPECT_EQ(form.registration_name, u"what\uFF1F\uFF1Cnow\uFF1E\uFF5C\uFF02\uFF3C\uFF0A");
  EXPECT_EQ(form.parameters.view().substr(0, 17), u"\"D:\\rec\\a\uFF0Fb\uFF1Ac.ts\"");
}

TEST(ComposeRecorderCommand, QuestionMarksStandForTheTunerOnce) {
  ReservationForm form = WorkedExample();
  form.flags = {};
  form.folder = u"D:\\rec?";
  form.cap_sts_path = u"C:\\tv?\\cap_sts.exe";
  form.id = u"3";
  Compose(form);
  EXPECT_EQ(form.application_name.view(), u"C:\\tv3\\cap_sts.exe");
  EXPECT_EQ(form.parameters.view().substr(0, 18), u"\"D:\\rec3\\news.ts\" ");

  form.id = u"";
  Compose(form);
  EXPECT_EQ(form.parameters.view().substr(0, 18), u"\"D:\\rec0\\news.ts\" ");

  // The channel, the extension and the encoder text may hold the placeholder
  // too; the file name may not, it was made safe first.
  form.id = u"4";
  form.channel = u"1?";
  form.fileext = u".t?";
  form.file_name = u"a?b";
  form.flags[vlc] = 1;
  form.vlc_parm = u"vlc:?";
  Compose(form);
  EXPECT_EQ(form.parameters.view(), u"\"D:\\rec4\\a\uFF1Fb.t4\" I4 @14 21:00-21:54 vlc:4");

  // A tuner ID that is itself a question mark leaves the placeholders be.
  form.file_name = u"news";
  form.fileext = u".ts";
  form.id = u"?";
  Compose(form);
  EXPECT_EQ(form.parameters.view().substr(0, 18), u"\"D:\\rec?\\news.ts\" ");
}

TEST(ComposeRecorderCommand, AFolderEndingInABackslashGetsASecondOne) {
  ReservationForm form = WorkedExample();
  form.folder = u"D:\\rec\\";
  EXPECT_EQ(Compose(form).substr(0, 17), u"\"D:\\rec\\\\news.ts\"");
}

TEST(ComposeRecorderCommand, LongValuesAreCutAndNeverOverrunTheWorkItemLimits) {
  ReservationForm form = WorkedExample();
  form.cap_sts_path = std::u16string(400, u'p');
  form.folder = std::u16string(600, u'f');
  form.channel = std::u16string(900, u'c');
  Compose(form);
  EXPECT_EQ(form.application_name.size(), 255u);
  EXPECT_EQ(form.parameters.size(), kMaxParametersLength);
  // The output path alone fills the room up to its limit; the rest is cut.
  EXPECT_EQ(form.parameters.view().substr(0, 2), u"\"f");
  EXPECT_EQ(form.command_preview.size(), 255u + 1u + kMaxParametersLength);
}

}  // namespace
