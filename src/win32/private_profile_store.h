#pragma once

#include <string>

#include "platform/settings_store.h"

namespace win32 {

// The settings file through the platform's private-profile functions.
class PrivateProfileStore final : public SettingsStore {
 public:
  explicit PrivateProfileStore(std::u16string path) : path_(std::move(path)) {}

  int GetInt(std::u16string_view section, std::u16string_view key, int fallback) override;
  std::u16string GetString(std::u16string_view section, std::u16string_view key, std::u16string_view fallback,
                           std::size_t width) override;
  bool WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value) override;
  std::optional<std::u16string> FirstWriteFailure() const override { return first_write_failure_; }

 private:
  std::u16string path_;
  std::optional<std::u16string> first_write_failure_;
};

}  // namespace win32
