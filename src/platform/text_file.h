#pragma once

#include <functional>
#include <string>
#include <string_view>

// The text files the program reads (reservations, the channel table, the
// encoder presets) are read line by line as the C runtime's text mode
// reads them: CR LF becomes one line feed, and a line is taken in pieces of
// at most 65534 characters, each ending after its line feed if it has one.
// Each piece counts as a line. A NUL ends what the C string functions see of
// a piece, so it ends the piece's text here too.
inline constexpr std::size_t kMaxLinePiece = 65534;

// Receives each piece in turn; answers false when it wants no more.
using LinePieceHandler = std::function<bool(std::u16string_view piece)>;

// The pieces of text already in memory.
void ForEachLinePiece(std::u16string_view text, const LinePieceHandler& handler);

// The pieces of a file in code page 932, read and decoded a block at a time:
// however large the file, no more than a block and one piece are held. False
// when the file cannot be opened or reading it fails.
bool ReadLinePieces(std::u16string_view path, const LinePieceHandler& handler);
