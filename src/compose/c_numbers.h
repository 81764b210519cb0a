#pragma once

#include <string_view>

// Numbers read from text the way the C library reads them, so that a
// value typed by the user or written by a guide site means what it always
// meant: leading white space skipped, reading stops at the first character
// that cannot continue the number, and text without a number reads as 0.

// As strtod: decimal floating point (and what else strtod accepts).
double ReadDecimal(std::u16string_view text);

// As strtol with base 10, held to the range of a 32-bit integer as a 32-bit
// long would be; `end` receives how many units the reading used (0 when no
// digits were found).
int ReadInt(std::u16string_view text, std::size_t* end = nullptr);
