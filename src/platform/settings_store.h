#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// One INI settings file, read and written a key at a time with the rules of
// the platform's private-profile functions: section and key names match
// without regard to case, the first of duplicate keys wins, blanks around
// names and values are dropped, a written value replaces the key where it
// stands or is appended to its section, and a missing section is appended.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The decimal integer the value begins with; `fallback` when the key is absent.
  virtual int GetInt(std::u16string_view section, std::u16string_view key, int fallback) = 0;
  // At most `width` characters of the value; `fallback` when the key is absent.
  virtual std::u16string GetString(std::u16string_view section, std::u16string_view key, std::u16string_view fallback,
                                   std::size_t width) = 0;
  // False when the value could not be written.
  virtual bool WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value) = 0;
  // Nothing while every write succeeded; otherwise the platform's words for
  // the first one that failed.
  virtual std::optional<std::u16string> FirstWriteFailure() const = 0;
};
