#pragma once

#include <vector>

#include "framework/memory_window.h"
#include "framework/platform.h"

namespace fw {

// A dialog run in memory, with no window, for work that needs no one: the
// dialog is initialised and painted once, and the run succeeds when the
// dialog ends by itself. Whatever would need the user's eyes (a message, a
// question, another dialog) stops the run where it stands, before anything
// acts on an answer, so that the dialog can be run again on the screen from
// its start. While it lives, it is the backend in use.
class UnattendedRun final : public Platform {
 public:
  // `now` is when the window's pickers and calendar start; the radio
  // groups are the dialog template's.
  UnattendedRun(CalendarTime now, std::vector<std::vector<int>> radio_groups);
  ~UnattendedRun() override;
  UnattendedRun(const UnattendedRun&) = delete;
  UnattendedRun& operator=(const UnattendedRun&) = delete;

  // True when the dialog ended by itself without showing anything.
  bool Run(Dialog& dialog);

  std::intptr_t RunModal(Dialog& dialog) override;
  Icon LoadIcon(int resource_id) override { return {resource_id, 0}; }

 private:
  CalendarTime now_;
  std::vector<std::vector<int>> radio_groups_;
  Platform* previous_;
};

}  // namespace fw
