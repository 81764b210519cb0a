#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "platform/code_page.h"

// A folder of its own for one test, removed with everything in it.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "halvorn-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

  // The folder as the program names it: a Windows-style path whose last
  // separator is a backslash.
  std::u16string WindowsPath(std::string_view name) const {
    const std::string folder = path_.string();
    return std::u16string(folder.begin(), folder.end()) + u"\\" + std::u16string(name.begin(), name.end());
  }

  void WriteBytes(std::string_view name, std::string_view bytes) const {
    std::filesystem::create_directories((path_ / name).parent_path());
    std::ofstream(path_ / name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  // Writes text in code page 932, line feeds as CR LF.
  void WriteText(std::string_view name, std::u16string_view text) const {
    std::u16string crlf;
    for (char16_t c : text) {
      if (c == u'\n') crlf += u'\r';
      crlf += c;
    }
    WriteBytes(name, EncodeCodePage932(crlf));
  }

 private:
  std::filesystem::path path_;
};

inline std::string ReadTestData(std::string_view name) {
  std::ifstream file(std::string(HALVORN_TEST_DATA) + "/" + std::string(name), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}
