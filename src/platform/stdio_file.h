#pragma once

#include <cstdio>
#include <memory>
#include <string_view>

// A C runtime file that closes itself; how it is opened is the platform's.
struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

// Writes all of `bytes` and flushes them; false when any of it failed.
bool WriteAll(std::FILE* file, std::string_view bytes);
