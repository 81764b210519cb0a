#pragma once

#include <string>

// Removes the bracketed additions of a programme title ("[字]", "(再)"): at
// most one span from the first "[" to the last "]", then one from the
// first "(" to the last ")". Only ASCII brackets count; nothing is trimmed.
void CleanTitle(std::u16string& text);
