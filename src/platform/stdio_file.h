#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// A C runtime file that closes itself; how it is opened is the platform's.
struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

// Everything left in the file; nothing on a read error or past `limit` bytes.
std::optional<std::string> ReadAll(std::FILE* file, std::size_t limit);

// Writes all of `bytes` and flushes them; false when any of it failed.
bool WriteAll(std::FILE* file, std::string_view bytes);
