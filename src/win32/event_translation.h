#pragma once

#include "win32/windows_api.h"

#include <optional>

#include "framework/events.h"

namespace win32 {

// A platform message reduced to what the dialogs' message maps route.
struct TranslatedEvent {
  fw::EventKind kind;
  int id = 0;
  int delta = 0;
};

std::optional<TranslatedEvent> TranslateDialogMessage(UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace win32
