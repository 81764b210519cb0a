#include "compose/c_numbers.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <optional>
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

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsWhiteSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

std::size_t DigitsFrom(std::u16string_view text, std::size_t at) {
  std::size_t end = at;
  while (end < text.size() && IsDigit(text[end])) ++end;
  return end - at;
}

// The longest plain decimal number at the start of `text`: digits, an
// optional fraction, and an exponent only when it has digits of its own.
// Nothing else counts: no hexadecimal, no "inf", no "nan".
struct DecimalNumber {
  std::string text;  // as from_chars takes it
  // The digits before the point, leading zeros aside, plus the exponent:
  // above 0 for a number of at least one, so a number out of range with an
  // order above 0 is too large, and otherwise too small.
  long order = 0;
};

std::optional<DecimalNumber> ScanDecimal(std::u16string_view text) {
  const std::size_t whole = DigitsFrom(text, 0);
  std::size_t at = whole;
  std::size_t fraction = 0;
  if (at < text.size() && text[at] == u'.') {
    fraction = DigitsFrom(text, at + 1);
    at += 1 + fraction;
  }
  if (whole + fraction == 0) return std::nullopt;

  DecimalNumber number;
  number.text = AsciiPrefix(text.substr(0, at));
  const std::string_view whole_digits = std::string_view(number.text).substr(0, whole);
  const std::size_t significant = whole_digits.find_first_not_of('0');
  if (significant != std::string_view::npos) number.order = static_cast<long>(whole - significant);

  if (at < text.size() && (text[at] == u'e' || text[at] == u'E')) {
    std::size_t sign = at + 1;
    const bool negative = sign < text.size() && text[sign] == u'-';
    if (sign < text.size() && (text[sign] == u'+' || text[sign] == u'-')) ++sign;
    const std::size_t digits = DigitsFrom(text, sign);
    if (digits > 0) {
      const std::string exponent = AsciiPrefix(text.substr(at, sign + digits - at));
      number.text += exponent;
      const long magnitude = digits > 6 ? 1000000 : std::strtol(exponent.c_str() + (sign - at), nullptr, 10);
      number.order += negative ? -magnitude : magnitude;
    }
  }
  return number;
}

}  // namespace

std::optional<double> ReadDecimalNumber(std::u16string_view text) {
  std::size_t at = 0;
  while (at < text.size() && IsWhiteSpace(text[at])) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) {
    negative = text[at] == u'-';
    ++at;
  }
  const auto number = ScanDecimal(text.substr(at));
  if (!number) return std::nullopt;
  double value = 0.0;
  const char* first = number->text.data();
  const auto result = std::from_chars(first, first + number->text.size(), value);
  // Out of range: too large becomes infinite and too small zero, as strtod
  // gives them.
  if (result.ec == std::errc::result_out_of_range) value = number->order > 0 ? HUGE_VAL : 0.0;
  return negative ? -value : value;
}

double ReadDecimal(std::u16string_view text) { return ReadDecimalNumber(text).value_or(0.0); }

int ReadInt(std::u16string_view text, std::size_t* end) {
  const std::string narrow = AsciiPrefix(text);
  char* stop = nullptr;
  const long value = std::strtol(narrow.c_str(), &stop, 10);
  if (end != nullptr) *end = static_cast<std::size_t>(stop - narrow.c_str());
  return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}
