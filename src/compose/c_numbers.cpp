#include "compose/c_numbers.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>

namespace {

// The C library reads narrow text; a number is made of ASCII only, so the
// text up to the first other unit carries the whole number.
std::string AsciiPrefix(std::u16string_view text) {
  std::string narrow;
  for (char16_t c : text) {
    if (c == 0 || c > 0x7F) break;
    narrow.push_back(static_cast<char>(c));
  }
  return narrow;
}

}  // namespace

double ReadDecimal(std::u16string_view text) {
  const std::string narrow = AsciiPrefix(text);
  return std::strtod(narrow.c_str(), nullptr);
}

int ReadInt(std::u16string_view text, std::size_t* end) {
  const std::string narrow = AsciiPrefix(text);
  char* stop = nullptr;
  const long value = std::strtol(narrow.c_str(), &stop, 10);
  if (end != nullptr) *end = static_cast<std::size_t>(stop - narrow.c_str());
  return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}
