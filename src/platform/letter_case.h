#pragma once

#include <string>
#include <string_view>

// Windows matches file names without regard to letter case, and folds more
// than ASCII: "Ｂａｃｋｕｐ" opens "ＢＡＣＫＵＰ", "Ä" opens "ä". Text in the
// one case Windows compares names in, for the letters of the Latin, Greek
// and Cyrillic alphabets and their full-width forms.
std::u16string InWindowsNameCase(std::u16string_view text);
// Whether two texts are one in that case.
bool EqualInWindowsNameCase(std::u16string_view a, std::u16string_view b);
