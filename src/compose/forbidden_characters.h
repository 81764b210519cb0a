#pragma once

#include <string>
#include <string_view>

// The nine characters a Windows file name cannot hold, in the order the
// registration checks them: \ / : * ? " < > |
inline constexpr std::u16string_view kForbiddenCharacters = u"\\/:*?\"<>|";

bool ContainsForbiddenCharacter(std::u16string_view text);

// Replaces each forbidden character by its full-width form (code point plus
// 0xFEE0), so that a programme title still reads the same in a file name.
void ReplaceForbiddenCharacters(std::u16string& text);
