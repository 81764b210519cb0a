// The private-profile rules of our own INI reader and writer.
#include "settings/ini_document.h"

#include <gtest/gtest.h>

namespace {

TEST(IniDocument, FindsSectionsAndKeysWithoutRegardToCaseAndTakesTheFirstDuplicate) {
  const IniDocument ini(u"  [System] \r\n  Cursor = 3 \r\ncursor=4\r\n[other]\r\ncursor=9\r\n");
  EXPECT_EQ(ini.Get(u"system", u"CURSOR"), u"3");
  EXPECT_EQ(ini.Get(u"other", u"cursor"), u"9");
  EXPECT_FALSE(ini.Get(u"system", u"missing"));
  EXPECT_FALSE(ini.Get(u"missing", u"cursor"));
  EXPECT_EQ(IniDocument(u"[a]\nk=\"quoted value\"\n").Get(u"a", u"k"), u"quoted value");
  EXPECT_EQ(IniDocument(u"[a]\nk=\"\"\nq='x\n").Get(u"a", u"k"), u"");
  EXPECT_EQ(IniDocument(u"[a]\nq='x\n").Get(u"a", u"q"), u"'x");
}

TEST(IniDocument, ReplacesInPlaceAppendsToTheSectionOrAddsTheSection) {
  IniDocument ini(u"; kept\r\n[a]\r\nx=1\r\ny=2\r\n\r\n[b]\r\nz=3\r\n");
  ini.Set(u"A", u"Y", u"20");
  ini.Set(u"a", u"w", u"new");
  ini.Set(u"c", u"v", u"");
  EXPECT_EQ(ini.Text(), u"; kept\r\n[a]\r\nx=1\r\nY=20\r\nw=new\r\n\r\n[b]\r\nz=3\r\n[c]\r\nv=\r\n");
  EXPECT_EQ(ini.Get(u"c", u"v"), u"");
}

}  // namespace
