// Finding a reservation's station in "channel.txt" as today's producers
// spell it: the exact name first, then folded, by code, and by the
// broadcaster's name.
#include "iepg/station_lookup.h"

#include <gtest/gtest.h>

namespace {

ChannelTable Table(std::u16string_view text) {
  ChannelTable table;
  ParseChannelTable(text, table);
  return table;
}

const ChannelTable kTable = Table(
    u"ＭＸ,091,DFS05C38 ＴＯＫＹＯ ＭＸ１\n"
    u"ショップ,C055,CSDT055 ショップチャンネル\n"
    u"ＢＳ１,B101,BSDT101 ＮＨＫ ＢＳ１\n"
    u"全角,001,ＡＢＣテレビ\n"
    u"半角,002,ABCテレビ\n"
    u"衛星,D42,DOS0042a 衛星局\n");

TEST(StationLookup, TheExactNameComesFirst) {
  EXPECT_EQ(LookUpStation(kTable, u"ABCテレビ", u""), 4);  // although the folded name is in row 3 already
  EXPECT_EQ(LookUpStation(kTable, u"ＡＢＣテレビ", u""), 3);
  EXPECT_EQ(LookUpStation(kTable, u"CSDT055", u"ＢＳ１"), 1);
}

TEST(StationLookup, FoldedNamesFindTheirRow) {
  EXPECT_EQ(LookUpStation(kTable, u"abcテレビ", u""), 3);
  EXPECT_EQ(LookUpStation(kTable, u"DFS05c38", u""), 0);
  EXPECT_EQ(LookUpStation(kTable, u"tokyo\u3000mx1", u""), 0);
  EXPECT_EQ(LookUpStation(kTable, u"ＮＨＫ　ＢＳ１", u""), 2);
}

TEST(StationLookup, StationCodesMatchByKindAndNumber) {
  const struct {
    const char16_t* station;
    int row;
  } cases[] = {
      {u"CSDT55", 1}, {u"csdt0055", 1}, {u"DFS5c38", 0},   {u"DOS42A", 5},   {u"BSDT0101", 2}, {u"CSDT550", -1},
      {u"CSDT5", -1}, {u"BSDT55", -1},  {u"DFS5c38x", -1}, {u"CSDT55 ", -1}, {u"DFS5c", -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LookUpStation(kTable, c.station, u""), c.row) << FoldStationText(c.station).size();
  }
  // A code glued to other letters is no code of its own.
  EXPECT_EQ(LookUpStation(Table(u"x,1,XCSDT055\ny,2,CSDT055y\n"), u"CSDT55", u""), -1);
  EXPECT_EQ(LookUpStation(Table(u"x,1,局/CSDT055\n"), u"CSDT55", u""), 0);
  // BS and CS numbers are decimal, DFS and DOS ones hexadecimal.
  EXPECT_EQ(LookUpStation(Table(u"x,1,BSDT00a\n"), u"BSDTa", u""), -1);
  EXPECT_EQ(LookUpStation(Table(u"x,1,CSDT00a\n"), u"CSDTa", u""), -1);
  EXPECT_EQ(LookUpStation(Table(u"x,1,DOS00a\n"), u"DOSa", u""), 0);
}

TEST(StationLookup, TheBroadcastersNameIsTheLastResort) {
  EXPECT_EQ(LookUpStation(kTable, u"DFS9999", u"ショップチャンネル"), 1);
  EXPECT_EQ(LookUpStation(kTable, u"DFS9999", u"ｓｈｏｐ"), -1);
  EXPECT_EQ(LookUpStation(kTable, u"DFS9999", u"tokyo mx１"), 0);
  EXPECT_EQ(LookUpStation(kTable, u"DFS9999", u""), -1);
  // A code in the table is found before a name that another row holds.
  EXPECT_EQ(LookUpStation(kTable, u"CSDT55", u"ＮＨＫ ＢＳ１"), 1);
  EXPECT_EQ(LookUpStation(ChannelTable{}, u"CSDT55", u"ショップチャンネル"), -1);
}

TEST(StationLookup, FoldingTouchesOnlyWidthBlanksAndCase) {
  EXPECT_EQ(FoldStationText(u"ＡＢＣ！～０\u3000Ｚz日本ｱ"), u"abc!~0 zz日本ｱ");
}

}  // namespace
