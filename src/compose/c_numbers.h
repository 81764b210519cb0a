#pragma once

#include <optional>
#include <string_view>

// Numbers read from text the way the C library reads them, so that a
// value typed by the user or written by a guide site means what it always
// meant: leading white space skipped, reading stops at the first character
// that cannot continue the number, and text without a number reads as 0.

// A decimal floating-point number: an optional sign, digits, an optional
// fraction and exponent, and nothing else; hexadecimal, "inf" and "nan"
// read as 0. The same in every locale.
double ReadDecimal(std::u16string_view text);
// The same, or nothing when the text does not begin with a number at all.
std::optional<double> ReadDecimalNumber(std::u16string_view text);

// As strtol with base 10, held to the range of a 32-bit integer as a 32-bit
// long would be; `end` receives how many units the reading used (0 when no
// digits were found).
int ReadInt(std::u16string_view text, std::size_t* end = nullptr);
