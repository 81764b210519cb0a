#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An INI file's text with the private-profile rules of lookup and update.
// Lines that are not touched keep their text.
class IniDocument {
 public:
  IniDocument() = default;
  explicit IniDocument(std::u16string_view text);

  std::optional<std::u16string> Get(std::u16string_view section, std::u16string_view key) const;
  void Set(std::u16string_view section, std::u16string_view key, std::u16string_view value);
  // The lines joined with CR LF.
  std::u16string Text() const;

 private:
  // Index of the section's header line, or npos.
  std::size_t FindSection(std::u16string_view section) const;
  // Index of the key's line within the section that starts at `header`, or npos.
  std::size_t FindKey(std::size_t header, std::u16string_view key) const;

  std::vector<std::u16string> lines_;
};

// A value read as the platform's private-profile functions read it: the
// decimal integer it begins with, or at most `width` characters of its text;
// `fallback` when the key is absent.
int ReadIniInt(const IniDocument& ini, std::u16string_view section, std::u16string_view key, int fallback);
std::u16string ReadIniString(const IniDocument& ini, std::u16string_view section, std::u16string_view key,
                             std::u16string_view fallback, std::size_t width);
