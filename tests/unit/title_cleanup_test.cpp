// Bracketed additions leave programme titles; everything else stays.
#include "compose/title_cleanup.h"

#include <gtest/gtest.h>

namespace {

std::u16string Cleaned(std::u16string text) {
  CleanTitle(text);
  return text;
}

TEST(CleanTitle, RemovesOneSpanOfEachBracketKind) {
  EXPECT_EQ(Cleaned(u"番組名[字][再]"), u"番組名");
  EXPECT_EQ(Cleaned(u"a[b]c[d]e"), u"ae");
  EXPECT_EQ(Cleaned(u"a(b)c"), u"ac");
  EXPECT_EQ(Cleaned(u"[新] ドラマ (終)"), u" ドラマ ");
  EXPECT_EQ(Cleaned(u"x[[nested]]y(1(2)3)z"), u"xyz");
}

TEST(CleanTitle, LeavesTextWithoutACompletePairAlone) {
  for (const char16_t* text : {u"x[y", u"x]y", u"x(y]", u"ドラマ（再）", u"【新】", u"", u"a]b[c", u"a)b(c", u"a][b"}) {
    EXPECT_EQ(Cleaned(text), text);
  }
  EXPECT_EQ(Cleaned(u"a]b[c(d)"), u"a]b[c");
}

}  // namespace
