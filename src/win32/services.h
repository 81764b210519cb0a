#pragma once

#include "platform/services.h"

namespace win32 {

class Services final : public ::Services {
 public:
  std::u16string ExecutablePath() override;
  std::optional<std::u16string> Environment(std::u16string_view name) override;
  int RunCommand(std::u16string_view command) override;
  std::optional<std::u16string> ChooseFileToOpen(const OpenFileRequest& request) override;
  FolderChoice ChooseFolder(std::u16string_view title) override;
  std::unique_ptr<SettingsStore> OpenSettings(std::u16string_view path) override;
  std::int64_t Now() override;
};

}  // namespace win32
