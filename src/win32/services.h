#pragma once

#include "platform/services.h"
#include "win32/file_system_facts.h"

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
  ::FileSystemFacts& FileSystem() override { return file_system_; }

 private:
  FileSystemFacts file_system_;
};

}  // namespace win32
