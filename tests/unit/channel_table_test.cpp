// "channel.txt": rows, comments, cuts, and finding a station.
#include "iepg/channel_table.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace {

ChannelTable Parse(std::u16string_view text) {
  ChannelTable table;
  ParseChannelTable(text, table);
  return table;
}

TEST(ChannelTable, SkipsCommentsEmptyLinesAndLinesWithoutTwoCommas) {
  EXPECT_EQ(Parse(u"// only a comment\n\n//x,1,y\n   \nno,commas\n").count, 0);
  EXPECT_EQ(Parse(u"nocomma\nA,1,B\n").count, 1);
  const ChannelTable table = Parse(u" //x,1,y\n");
  ASSERT_EQ(table.count, 1);
  EXPECT_EQ(table.rows[0].name, u" //x");
}

TEST(ChannelTable, SplitsAtTheFirstTwoCommasWithoutTrimming) {
  const ChannelTable table = Parse(u"A, 001 ,B\nX,1,S1,S2");
  ASSERT_EQ(table.count, 2);
  EXPECT_EQ(table.rows[0].name, u"A");
  EXPECT_EQ(table.rows[0].command, u" 001 ");
  EXPECT_EQ(table.rows[0].stations, u"B\n");
  EXPECT_EQ(table.rows[1].stations, u"S1,S2");
}

TEST(ChannelTable, CutsLongFieldsAndIgnoresRowsPastTheEightieth) {
  const ChannelTable cut =
      Parse(std::u16string(40, u'n') + u"," + std::u16string(12, u'c') + u"," + std::u16string(200, u's'));
  EXPECT_EQ(cut.rows[0].name.size(), 31u);
  EXPECT_EQ(cut.rows[0].command.size(), 9u);
  EXPECT_EQ(cut.rows[0].stations.size(), 127u);

  std::u16string many;
  for (int i = 0; i < 100; ++i) many += u"row,1,S" + std::u16string(1, static_cast<char16_t>(u'0' + i % 10)) + u"\n";
  EXPECT_EQ(Parse(many).count, ChannelTable::kMaxRows);
}

TEST(ChannelTable, FindsTheFirstRowWhoseStationsContainTheName) {
  const ChannelTable table = Parse(u"one,1,Q\ntwo,2,XABCY\nthree,3,Z\nfour,4,W\nfive,5,ABC\n");
  EXPECT_EQ(FindStation(table, u"ABC"), 1);
  EXPECT_EQ(FindStation(table, u"NONE"), -1);
  EXPECT_EQ(FindStation(ChannelTable{}, u"ABC"), -1);
}

TEST(ChannelTable, LoadsAJapaneseTableInCodePage932) {
  TempFolder folder;
  folder.WriteBytes("channel.txt", ReadTestData("channel.txt"));
  ChannelTable table;
  LoadChannelTableFile(folder.WindowsPath("channel.txt"), table);
  ASSERT_EQ(table.count, 8);
  EXPECT_EQ(table.rows[0].name, u"ＮＨＫ総合");
  EXPECT_EQ(table.rows[0].command, u"011");
  EXPECT_EQ(FindStation(table, u"DFS00400"), 0);
  EXPECT_EQ(FindStation(table, u"ＴＢＳテレビ"), 3);

  LoadChannelTableFile(folder.WindowsPath("missing.txt"), table);
  EXPECT_EQ(table.count, 0);
}

}  // namespace
