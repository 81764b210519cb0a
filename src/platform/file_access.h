#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Reads a whole file, opened for reading only, as raw bytes. Nothing when
// it cannot be opened or is larger than `limit`. Paths are Windows paths;
// where the platform separates folders with slashes, backslashes count as
// separators too.
std::optional<std::string> ReadFileBytes(std::u16string_view path, std::size_t limit);

// The largest file any reader here takes: reservation files, channel tables
// and preset files are a few kilobytes, so this only keeps a wrong file
// from taking all memory.
inline constexpr std::size_t kMaxTextFileBytes = 64u << 20;

// Replaces the file's content with `bytes`, through a temporary file beside
// it so that a failure never leaves half a file. False when it cannot.
bool WriteFileBytes(std::u16string_view path, std::string_view bytes);
