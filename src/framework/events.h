#pragma once

#include <cstdint>

namespace fw {

// What a backend reports to a dialog: the platform's messages and control
// notifications, reduced to the kinds the program's handlers care about.
enum class EventKind {
  Paint,
  QueryDragIcon,
  Close,
  Click,           // button or check box clicked; also the OK/Cancel commands
  TextChange,      // an edit's text changed
  DateTimeChange,  // a date-time picker's value changed
  DeltaPos,        // an up-down control asks to change its position
  SelChange,       // list box or tab control: the selection has changed
  SelChanging,     // tab control: the selection is about to change
  CloseUp,         // a drop-down list closed its list
  DateSelect,      // a month calendar date was picked
};

// The payload of one event, and what the handler answers.
struct Notification {
  int delta = 0;                 // DeltaPos: the proposed step
  std::intptr_t result = 0;      // the value reported back to the platform
  bool pass_to_default = false;  // let the platform's default handling run too
};

// Command IDs the dialog manager sends for the Enter and Esc keys.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

}  // namespace fw
