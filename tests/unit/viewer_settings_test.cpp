// What the viewer keeps across a restart, and whether the PC will wake to record.
#include <gtest/gtest.h>

#include "reservations/views/viewer_layout.h"
#include "reservations/checks/wake_check.h"
#include "settings/ini_file_store.h"
#include "support/temp_folder.h"

namespace {

TEST(ViewerLayout, WhatIsWrittenReadsBackAndAnythingGarbledGivesTheDefault) {
  TempFolder folder;
  IniFileStore store(folder.WindowsPath("Brisquet.ini"));
  EXPECT_EQ(ReadViewerLayout(store), ViewerLayout{});  // no file yet
  ViewerLayout layout;
  layout.window = ViewerLayout::Placement{-8, 40, 900, 500};
  layout.column_widths[0] = 150;
  layout.column_widths[7] = 0;
  layout.column_widths[8] = 30000;
  layout.order = {Column::Tuner, true};
  layout.timeline = true;
  layout.timeline_minutes = 7 * 24 * 60;
  layout.timeline_offset = 3000;
  layout.timeline_top_lane = 4;
  WriteViewerLayout(store, layout);
  EXPECT_EQ(store.FirstWriteFailure(), std::nullopt);
  EXPECT_EQ(ReadViewerLayout(store), layout);

  folder.WriteText("Brisquet.ini",
                   u"[window]\nleft=abc\ntop=1\nwidth=99999\nheight=1\ntab=2\n[columns]\nwidth0=-5\n"
                   u"width1=80\nsort=42\ndescending=yes\n[timeline]\nminutes=119\noffset=-1\nlane=x\n");
  ViewerLayout garbled;
  garbled.column_widths[1] = 80;
  EXPECT_EQ(ReadViewerLayout(store), garbled);
  for (const char16_t* window :
       {u"[window]\nleft=1\ntop=1\nwidth=0\nheight=1\n", u"[window]\nleft=1\ntop=1\nwidth=1\nheight=0\n"}) {
    folder.WriteText("Brisquet.ini", window);
    EXPECT_EQ(ReadViewerLayout(store), ViewerLayout{});
  }

  std::filesystem::create_directories(folder / "Locked.ini");
  IniFileStore locked(folder.WindowsPath("Locked.ini"));
  WriteViewerLayout(locked, layout);
  EXPECT_TRUE(locked.FirstWriteFailure().has_value());
  EXPECT_FALSE(locked.WriteString(u"columns", u"sort", u"1"));
  EXPECT_TRUE(store.WriteString(u"columns", u"sort", u"1"));
}

TEST(WakeCheck, WarnsOnlyWhenThePlatformSaysTheRecordingWillSleepThrough) {
  using W = WakeWarning;
  const std::optional<unsigned> unknown;
  const struct {
    PowerReadings readings;
    WakeWarning expected;
  } cases[] = {
      {{false, 1, 1, false, false, true}, W::None},       // no scheme: cannot say
      {{true, unknown, 1, false, true, false}, W::None},  // AC value unreadable
      {{true, 0, unknown, true, true, false}, W::None},   // a battery whose value cannot be read
      {{true, 0, 1, false, true, false}, W::WakeTimersOff},
      {{true, 1, 0, true, true, false}, W::WakeTimersOff},  // off on battery, and there is one
      {{true, 1, 0, false, true, false}, W::None},          // off on battery, but there is none
      {{true, 1, unknown, false, true, false}, W::None},
      {{true, 1, 1, false, false, true}, W::ModernStandby},
      {{true, 0, 1, false, false, true}, W::WakeTimersOff},  // the sure failure first
      {{true, 1, 1, false, true, true}, W::None},            // S3 is there
      {{true, 1, 1, false, false, false}, W::None},
      {{true, 1, 1, false, std::nullopt, true}, W::None},  // capabilities unknown
      // "Important wake timers only" lets no scheduled recording through.
      {{true, 2, 1, true, true, false}, W::ImportantTimersOnly},
      {{true, 1, 2, true, true, false}, W::ImportantTimersOnly},
      {{true, 1, 2, false, true, false}, W::None},  // on battery, but there is none
      {{true, 2, 0, true, true, false}, W::WakeTimersOff},
      {{true, 2, 2, false, false, true}, W::ImportantTimersOnly},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecideWakeWarning(c.readings), c.expected) << static_cast<int>(&c - cases);
    EXPECT_EQ(WakeWarningText(c.expected).empty(), c.expected == W::None);
  }
}

TEST(WakeCheck, OnlyReservationsThatStillRecordAndWakeThePcCount) {
  ReservationRow row;
  row.item.flags = 0x3000;
  for (Standing standing : {Standing::Records, Standing::NoTrigger, Standing::Disabled, Standing::Ended}) {
    row.standing = standing;
    EXPECT_EQ(AnyReservationWakes({row}), standing == Standing::Records || standing == Standing::NoTrigger);
  }
  row.item.flags = 0x2000;
  row.standing = Standing::Records;
  EXPECT_FALSE(AnyReservationWakes({row}));
}

}  // namespace
