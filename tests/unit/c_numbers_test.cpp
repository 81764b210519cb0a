// Numbers as the user types them and as reservation files carry them.
#include "compose/c_numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

TEST(ReadDecimal, TakesThePlainDecimalNumberAtTheStartAndNothingElse) {
  const struct {
    const char16_t* text;
    double value;
  } cases[] = {
      {u"2", 2},     {u" \t4.7x", 4.7}, {u"-3", -3},       {u"+3", 3},     {u".5", 0.5},   {u"5.", 5},
      {u"1e2", 100}, {u"1E+2", 100},    {u"25e-1", 2.5},   {u"1e", 1},     {u"1e+", 1},    {u"7ex", 7},
      {u"0x5", 0},   {u"inf", 0},       {u"-Infinity", 0}, {u"NaN", 0},    {u"nan(1)", 0}, {u"", 0},
      {u".", 0},     {u"- 5", 0},       {u"abc", 0},       {u"\uFF15", 0}, {u"1e-999", 0}, {u"0.0000e99999", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadDecimal(c.text), c.value) << std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text));
  }
  // Past the largest number is infinite, as the C library reads it.
  EXPECT_EQ(ReadDecimal(u"1e999"), HUGE_VAL);
  EXPECT_EQ(ReadDecimal(u"-" + std::u16string(400, u'9')), -HUGE_VAL);
  EXPECT_EQ(ReadDecimal(u"0." + std::u16string(400, u'0') + u"1"), 0.0);
  // The exponent decides which way a number leaves the range.
  EXPECT_EQ(ReadDecimal(u"0.001e400"), HUGE_VAL);
  EXPECT_EQ(ReadDecimal(u"10e-400"), 0.0);
}

TEST(ReadInt, ReadsLikeTheCLibraryWithinThirtyTwoBits) {
  std::size_t end = 99;
  EXPECT_EQ(ReadInt(u" 09:30", &end), 9);
  EXPECT_EQ(end, 3u);
  EXPECT_EQ(ReadInt(u"x", &end), 0);
  EXPECT_EQ(end, 0u);
  EXPECT_EQ(ReadInt(u"-12"), -12);
  EXPECT_EQ(ReadInt(u"99999999999999999999"), 2147483647);
  EXPECT_EQ(ReadInt(u"-99999999999"), -2147483647 - 1);
}

}  // namespace
