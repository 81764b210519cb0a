// Reading back the recorder's parameters of a stored work item: the same
// window, channel, tuner and output path that were composed into them.
#include "reservations/rules/recorder_parameters.h"

#include <gtest/gtest.h>

#include "compose/command_line.h"
#include "support/worked_example.h"

namespace {

TEST(RecorderParameters, EveryComposedStringReadsBackToItsParts) {
  struct Case {
    const char* what;
    void (*change)(ReservationForm&);
    ClockTime start, end;
    const char16_t *output, *channel, *tuner;
  };
  const Case cases[] = {
      {"worked example", [](ReservationForm&) {}, {21, 0}, {21, 54}, u"D:\\rec\\news.ts", u"101", u"2"},
      {"no tuner", [](ReservationForm& f) { f.id = u"0"; }, {21, 0}, {21, 54}, u"D:\\rec\\news.ts", u"101", u""},
      {"tuner without remote",
       [](ReservationForm& f) { f.flags[rmc] = 0; },
       {8, 5},
       {9, 0},
       u"D:\\rec\\news.ts",
       u"101",
       u"2"},
      {"empty channel, past midnight",
       [](ReservationForm& f) { f.channel.clear(); },
       {23, 30},
       {0, 30},
       u"D:\\rec\\news.ts",
       u"",
       u"2"},
      {"placeholders",
       [](ReservationForm& f) {
         f.id = u"3";
         f.folder = u"D:\\tuner?";
         f.channel = u"0?1";
         f.fileext = u".t?";
       },
       {0, 0},
       {0, 1},
       u"D:\\tuner3\\news.t3",
       u"031",
       u"3"},
      {"encoder text with blanks and a window of its own",
       [](ReservationForm& f) { f.vlc_parm = u"vlc: --sout 10:00-11:00 x"; },
       {19, 0},
       {20, 0},
       u"D:\\rec\\news.ts",
       u"101",
       u"2"},
      {"blanks in the channel and names",
       [](ReservationForm& f) {
         f.channel = u" 0 1 ";
         f.file_name = u"a b";
         f.flags = {};
       },
       {1, 2},
       {3, 4},
       u"D:\\rec\\a b.ts",
       u" 0 1 ",
       u"2"},
      {"an odd tuner",
       [](ReservationForm& f) { f.id = u"  3abc"; },
       {12, 0},
       {13, 0},
       u"D:\\rec\\news.ts",
       u"101",
       u"  3abc"},
      {"every switch",
       [](ReservationForm& f) { f.flags = {1, 1, 1, 1, 1, 1, 1, 1}; },
       {5, 6},
       {7, 8},
       u"D:\\rec\\news.ts",
       u"101",
       u"2"},
      {"a channel of digits as long as a window",
       [](ReservationForm& f) { f.channel = u" 11111111111"; },
       {5, 6},
       {7, 8},
       u"D:\\rec\\news.ts",
       u" 11111111111",
       u"2"},
      {"a channel that ends like a window",
       [](ReservationForm& f) { f.channel = u"C12:00-13:00"; },
       {5, 6},
       {7, 8},
       u"D:\\rec\\news.ts",
       u"C12:00-13:00",
       u"2"},
  };
  for (const Case& c : cases) {
    ReservationForm form = WorkedExampleForm();
    c.change(form);
    ComposeRecorderCommand(form, c.start, c.end);
    const RecorderParameters read = ReadRecorderParameters(form.parameters.view());
    ASSERT_TRUE(read.window) << c.what;
    EXPECT_EQ(*read.window, (RecordingWindow{c.start.hour * 60 + c.start.minute, c.end.hour * 60 + c.end.minute}))
        << c.what;
    EXPECT_EQ(read.output_path, c.output) << c.what;
    EXPECT_EQ(read.channel, c.channel) << c.what;
    EXPECT_EQ(read.tuner, std::u16string(c.tuner)) << c.what;
  }
}

TEST(RecorderParameters, WhatHalvornCouldNotHaveComposedReadsAsFarAsItGoes) {
  RecorderParameters read = ReadRecorderParameters(u"\"C:\\out.ts\" --record now");
  EXPECT_EQ(read.output_path, u"C:\\out.ts");
  EXPECT_FALSE(read.window);
  EXPECT_FALSE(read.tuner);
  EXPECT_TRUE(read.channel.empty());

  read = ReadRecorderParameters(u"\"C:\\out.ts\" X9 @101 21:00-21:30");
  EXPECT_TRUE(read.window);
  EXPECT_EQ(read.channel, u"101");
  EXPECT_FALSE(read.tuner);  // switches that are not Halvorn's: the tuner is not known
  EXPECT_EQ(ReadRecorderParameters(u"\"a\" I @1 21:00-21:30").tuner, std::u16string());

  for (const char16_t* odd :
       {u"", u"\"unclosed", u"@1 21:00-21:30", u"\"a\" @1 24:00-01:00", u"\"a\" @1 21:00-21:60", u"\"a\" @1 21:00-21:3",
        u"\"a\" @1 21:00-21:300", u"\"a\" @1 21:00-24:00", u"\"a\" @1 21:60-22:00", u"\"a\" @1 0/:00-01:00"}) {
    EXPECT_FALSE(ReadRecorderParameters(odd).window);
  }
  EXPECT_EQ(FormatWindow({23 * 60 + 5, 7}), u"23:05-00:07");
}

}  // namespace
