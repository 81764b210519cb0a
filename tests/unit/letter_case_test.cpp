// Names in the one letter case Windows compares file names in.
#include "platform/letter_case.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(LetterCase, NamesAreComparedAsWindowsComparesFileNames) {
  const struct {
    const char16_t* a;
    const char16_t* b;
    bool same;
  } pairs[] = {
      {u"Backup", u"BACKUP", true},
      {u"ｂａｃｋｕｐ", u"ＢＡＣＫＵＰ", true},
      {u"Ärger", u"ärger", true},
      {u"ÿ", u"Ÿ", true},
      {u"Āā", u"āĀ", true},
      {u"Łódź", u"ŁÓDŹ", true},
      {u"ωμεγα", u"ΩΜΕΓΑ", true},
      {u"σοφια", u"ΣΟΦΙΑ", true},
      {u"Дом", u"ДОМ", true},
      {u"ёж", u"ЁЖ", true},
      {u"Backup", u"Ｂａｃｋｕｐ", false},
      {u"ドラマ", u"ﾄﾞﾗﾏ", false},
      {u"÷", u"×", false},
      {u"ı", u"I", false},
      {u"ı", u"İ", false},
      {u"Ĺľ", u"ĺĽ", true},
      {u"録画", u"録画", true},
      {u"a[1]", u"A[1]", true},
      {u"z{", u"Z{", true},
      {u"@`", u"@`", true},
  };
  for (const auto& pair : pairs) {
    EXPECT_EQ(InWindowsNameCase(pair.a) == InWindowsNameCase(pair.b), pair.same)
        << std::filesystem::path(pair.a).string() << " / " << std::filesystem::path(pair.b).string();
    EXPECT_EQ(EqualInWindowsNameCase(pair.a, pair.b), pair.same)
        << std::filesystem::path(pair.a).string() << " / " << std::filesystem::path(pair.b).string();
  }
}

}  // namespace
