#include "platform/letter_case.h"

#include <algorithm>

namespace {

char16_t Upper(char16_t c) {
  const auto minus = [c](int distance) { return static_cast<char16_t>(c - distance); };
  if (c >= u'a' && c <= u'z') return minus(0x20);
  if (c < 0xE0) return c;
  // Latin-1: à to þ, but for the division sign; ÿ has its capital far off.
  if (c <= 0xFE) return c == 0xF7 ? c : minus(0x20);
  if (c == 0xFF) return 0x178;
  // Latin Extended-A pairs a capital with its small letter, capital first,
  // except for the runs where the capital is the odd one.
  if (c >= 0x100 && c <= 0x17E) {
    const bool capital_is_odd = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149) return c;
    return (c % 2 == 0) == capital_is_odd ? minus(1) : c;
  }
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return minus(0x20);  // Greek
  if (c >= 0x430 && c <= 0x44F) return minus(0x20);                // Cyrillic
  if (c >= 0x450 && c <= 0x45F) return minus(0x50);
  if (c >= 0xFF41 && c <= 0xFF5A) return minus(0x20);  // full-width Latin
  return c;
}

}  // namespace

bool EqualInWindowsNameCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return Upper(x) == Upper(y); });
}

std::u16string InWindowsNameCase(std::u16string_view text) {
  std::u16string folded(text);
  for (char16_t& c : folded) c = Upper(c);
  return folded;
}
