#pragma once

#include <string>

#include "platform/settings_store.h"

// A settings file in code page 932 read and written by our own INI code,
// where the platform's private-profile functions are not at hand. It reads
// what the platform writes and the other way round.
class IniFileStore final : public SettingsStore {
 public:
  explicit IniFileStore(std::u16string path) : path_(std::move(path)) {}

  int GetInt(std::u16string_view section, std::u16string_view key, int fallback) override;
  std::u16string GetString(std::u16string_view section, std::u16string_view key, std::u16string_view fallback,
                           std::size_t width) override;
  bool WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value) override;
  std::optional<std::u16string> FirstWriteFailure() const override { return first_write_failure_; }

 private:
  std::u16string path_;
  std::optional<std::u16string> first_write_failure_;
};
