#pragma once

#include <string>
#include <string_view>

// Japanese code page 932 (Shift_JIS as Windows has it), the encoding of
// reservation files, channel tables and the commands handed to the command
// processor. Bytes that are not valid code page 932 become replacement
// characters; a conversion never fails.
std::u16string DecodeCodePage932(std::string_view bytes);
std::string EncodeCodePage932(std::u16string_view text);
// Whether a text comes back whole through code page 932.
inline bool FitsCodePage932(std::u16string_view text) { return DecodeCodePage932(EncodeCodePage932(text)) == text; }

// The C runtime's character-type locale, set to "Japanese" where the
// program's conversions of old relied on it.
void SetJapaneseCharacterLocale();
