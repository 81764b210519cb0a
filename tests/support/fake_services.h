#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/services.h"
#include "settings/ini_file_store.h"
#include "support/fake_file_system.h"

// The operating system as a test arranges it: an executable path, an
// environment, and the answers the user gives to file and folder dialogs.
class FakeServices final : public Services {
 public:
  std::u16string executable_path = u"C:\\Tools\\Halvorn2.exe";
  std::map<std::u16string, std::u16string> environment;
  std::vector<std::u16string> commands;
  std::deque<std::optional<std::u16string>> file_choices;
  std::deque<std::optional<std::u16string>> folder_choices;
  std::vector<OpenFileRequest> file_requests;
  std::vector<std::u16string> folder_titles;
  bool shell_available = true;
  // Tuesday 8 December 2026, 21:00 in Tokyo, as the headless window shows it:
  // every test's "now" unless it sets its own.
  std::int64_t now = 1796731200;
  FakeFileSystem file_system;

  std::u16string ExecutablePath() override { return executable_path; }
  std::optional<std::u16string> Environment(std::u16string_view name) override {
    const auto found = environment.find(std::u16string(name));
    if (found == environment.end()) return std::nullopt;
    return found->second;
  }
  int RunCommand(std::u16string_view command) override {
    commands.emplace_back(command);
    return 0;
  }
  std::optional<std::u16string> ChooseFileToOpen(const OpenFileRequest& request) override {
    file_requests.push_back(request);
    return Next(file_choices);
  }
  std::unique_ptr<SettingsStore> OpenSettings(std::u16string_view path) override {
    return std::make_unique<IniFileStore>(std::u16string(path));
  }
  std::int64_t Now() override { return now; }
  FileSystemFacts& FileSystem() override { return file_system; }
  FolderChoice ChooseFolder(std::u16string_view title) override {
    folder_titles.emplace_back(title);
    if (!shell_available) return {false, std::nullopt};
    return {true, Next(folder_choices)};
  }

 private:
  static std::optional<std::u16string> Next(std::deque<std::optional<std::u16string>>& choices) {
    if (choices.empty()) return std::nullopt;
    auto choice = choices.front();
    choices.pop_front();
    return choice;
  }
};
