#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The text files the program reads (reservations, the channel table, the
// encoder presets) are read line by line as the C runtime's text mode
// reads them: CR LF becomes one line feed, and a line is taken in pieces of
// at most 65534 characters, each ending after its line feed if it has one.
// Each piece counts as a line. A NUL ends what the C string functions see of
// a piece, so it ends the piece's text here too.
inline constexpr std::size_t kMaxLinePiece = 65534;

std::vector<std::u16string> SplitTextLines(std::u16string_view text);

// Reads a whole text file in code page 932; nothing when it cannot be opened.
std::optional<std::u16string> ReadCodePage932File(std::u16string_view path);
