#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system_facts.h"
#include "platform/settings_store.h"

// What the dialogs ask of the operating system besides their controls. The
// program binds these to Windows; tests bind them to fakes.

struct OpenFileRequest {
  std::u16string filter;        // pairs of description and pattern, each ending in \0
  std::u16string initial_name;  // the proposed file name
  std::u16string default_extension;
};

class Services {
 public:
  virtual ~Services() = default;

  // The full path of the running executable.
  virtual std::u16string ExecutablePath() = 0;
  // An environment variable, or nothing when it is not set.
  virtual std::optional<std::u16string> Environment(std::u16string_view name) = 0;
  // Runs a command through the command processor and waits for it.
  virtual int RunCommand(std::u16string_view command) = 0;
  // The platform's file-open dialog; nothing when the user cancels.
  virtual std::optional<std::u16string> ChooseFileToOpen(const OpenFileRequest& request) = 0;
  // The platform's folder browser, started at the drive list.
  struct FolderChoice {
    bool shell_available = true;           // false: the shell gave no allocator, nothing was shown
    std::optional<std::u16string> folder;  // nothing when the user cancelled
  };
  virtual FolderChoice ChooseFolder(std::u16string_view title) = 0;
  // The INI settings file at `path`; it need not exist yet.
  virtual std::unique_ptr<SettingsStore> OpenSettings(std::u16string_view path) = 0;
  // The system clock, in seconds since the epoch: "now" for what records,
  // what collides and the date a reservation without one falls on.
  virtual std::int64_t Now() = 0;
  // What the file system says of the recorder and the folder a reservation needs.
  virtual FileSystemFacts& FileSystem() = 0;
};
