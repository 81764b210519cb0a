#pragma once

#include "win32/windows_api.h"

#include <vector>

#include "framework/platform.h"

namespace win32 {

// Runs the framework's dialogs on the real dialog manager.
class Platform final : public fw::Platform {
 public:
  explicit Platform(HINSTANCE instance) : instance_(instance) {}

  std::intptr_t RunModal(fw::Dialog& dialog) override;
  fw::Icon LoadIcon(int resource_id) override;

 private:
  HINSTANCE instance_;
  // The windows of the dialogs on show, innermost last: a dialog opened from
  // another is owned by it.
  std::vector<HWND> open_windows_;
};

}  // namespace win32
