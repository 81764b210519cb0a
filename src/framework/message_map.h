#pragma once

#include <span>

#include "framework/events.h"

namespace fw {

// One row of a dialog's message map: an event kind, a range of control IDs
// (0 for the dialog's own messages) and the member that handles it. A handler
// either takes no arguments or the notification it answers.
template <class T>
struct MessageMapEntry {
  EventKind kind;
  int first_id;
  int last_id;
  void (T::*plain)() = nullptr;
  void (T::*notified)(Notification&) = nullptr;
};

template <class T>
constexpr MessageMapEntry<T> On(EventKind kind, int id, void (T::*handler)()) {
  return {kind, id, id, handler, nullptr};
}

template <class T>
constexpr MessageMapEntry<T> On(EventKind kind, int id, void (T::*handler)(Notification&)) {
  return {kind, id, id, nullptr, handler};
}

template <class T>
constexpr MessageMapEntry<T> OnRange(EventKind kind, int first_id, int last_id, void (T::*handler)()) {
  return {kind, first_id, last_id, handler, nullptr};
}

// Runs the first row that matches; false when no row does, so that the
// framework's default handling takes over.
template <class T>
bool DispatchByMap(std::span<const MessageMapEntry<T>> map, T& target, EventKind kind, int id,
                   Notification& notification) {
  for (const auto& entry : map) {
    if (entry.kind != kind || id < entry.first_id || id > entry.last_id) continue;
    if (entry.plain != nullptr) {
      (target.*entry.plain)();
    } else {
      (target.*entry.notified)(notification);
    }
    return true;
  }
  return false;
}

}  // namespace fw
