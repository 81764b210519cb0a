#pragma once

#include <array>
#include <optional>

#include "platform/settings_store.h"
#include "reservations/views/row_order.h"

inline constexpr std::u16string_view kViewerSettingsFileName = u"Brisquet.ini";
inline constexpr std::size_t kColumnCount = std::size(kColumns);

// How the user left the viewer's window: where it was, how wide each column
// was, what the list was sorted by, and which tab was on show.
struct ViewerLayout {
  struct Placement {
    int left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const Placement&, const Placement&) = default;
  };
  std::optional<Placement> window;                               // nothing: where Windows puts it
  std::array<std::optional<int>, kColumnCount> column_widths{};  // nothing: the default width
  RowOrder order;
  bool timeline = false;  // the タイムライン tab is on show, not 一覧
  // The timeline's zoom in minutes across, how far it was scrolled from the
  // start of the current hour, and the first lane shown.
  int timeline_minutes = static_cast<int>(kMinutesPerDay);
  int timeline_offset = 0;
  int timeline_top_lane = 0;
  friend bool operator==(const ViewerLayout&, const ViewerLayout&) = default;
};

// A missing or garbled value gives its default; nothing here fails.
ViewerLayout ReadViewerLayout(SettingsStore& store);
// The store keeps what failed, if anything did.
void WriteViewerLayout(SettingsStore& store, const ViewerLayout& layout);
