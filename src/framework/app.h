#pragma once

#include <string>
#include <string_view>

#include "framework/platform.h"

namespace fw {

class Dialog;

// The application object: the stand-in for the platform framework's
// application class. The entry point hands it the backend and the command
// line and runs InitInstance.
class App {
 public:
  App() = default;
  virtual ~App() = default;
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // Runs the application; the result is the process's exit code.
  int Run(Platform& platform, std::u16string command_line);

  const std::u16string& command_line() const { return command_line_; }
  const std::u16string& registry_key() const { return registry_key_; }
  Dialog* main_window() const { return main_window_; }

 protected:
  // Return false to end the application when it returns.
  virtual bool InitInstance() = 0;
  // The framework's own application initialisation.
  bool InitApplication() { return true; }
  // Only records where application profile data would live: this framework
  // stores nothing in the registry.
  void SetRegistryKey(std::u16string_view key) { registry_key_ = key; }
  void set_main_window(Dialog* dialog) { main_window_ = dialog; }

 private:
  std::u16string command_line_;
  std::u16string registry_key_;
  Dialog* main_window_ = nullptr;
};

}  // namespace fw
