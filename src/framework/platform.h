#pragma once

#include <cstdint>

#include "framework/dialog_window.h"

namespace fw {

class Dialog;

// What a backend offers the framework as a whole: running a dialog modally
// from its template and loading icon resources.
class Platform {
 public:
  virtual ~Platform() = default;
  // Creates the dialog's window from its template, attaches it, runs it until
  // EndDialog and returns the result EndDialog was given.
  virtual std::intptr_t RunModal(Dialog& dialog) = 0;
  virtual Icon LoadIcon(int resource_id) = 0;
};

// The backend in use. Set once by the program's entry point or by a test;
// replaced for a while by a backend that answers for itself, which hands
// back the one it replaced.
void SetPlatform(Platform* platform);
Platform* ReplacePlatform(Platform* platform);
Platform& CurrentPlatform();

}  // namespace fw
