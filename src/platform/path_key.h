#pragma once

#include <string>
#include <string_view>

// Whether two paths name one file, as Windows decides it: both give the
// same key. The key is the path with its quotes taken off, made full, in
// its long form where the file exists, and in the one letter case the file
// system compares names in. Both programs compare recorder programs and
// folders by it, and by nothing else.
std::u16string PathKey(std::u16string_view path);

// Whether `path` is the file `pattern` names, a "?" in the pattern standing
// for any one character (a recorder's tuner digit).
bool PathMatchesPattern(std::u16string_view path, std::u16string_view pattern);

// Windows answers for the file system it knows; a program there installs
// its answer once at start. Until then, and off Windows, the key is made
// from the text alone: "/" is "\", "." and ".." are resolved, doubled
// separators and trailing dots and blanks of a part are dropped.
using PathKeyMaker = std::u16string (*)(std::u16string_view path);
void SetPathKeyMaker(PathKeyMaker maker);
std::u16string TextualPathKey(std::u16string_view path);
