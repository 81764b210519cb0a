#include "reservations/views/viewer_layout.h"

#include "reservations/rules/number_text.h"
#include "reservations/views/timeline_layout.h"

namespace {

constexpr int kMissing = -0x7FFFFFFF;
// Sizes beyond any screen are garbage, not a layout.
constexpr int kMaxExtent = 30000;

std::u16string Number(int value) {
  return value < 0 ? u"-" + ZeroPadded(-static_cast<std::int64_t>(value), 1) : ZeroPadded(value, 1);
}

std::u16string ColumnKey(std::size_t index) { return u"width" + ZeroPadded(static_cast<std::int64_t>(index), 1); }

std::optional<int> Within(int value, int low, int high) {
  if (value == kMissing || value < low || value > high) return std::nullopt;
  return value;
}

}  // namespace

ViewerLayout ReadViewerLayout(SettingsStore& store) {
  ViewerLayout layout;
  const auto left = Within(store.GetInt(u"window", u"left", kMissing), -kMaxExtent, kMaxExtent);
  const auto top = Within(store.GetInt(u"window", u"top", kMissing), -kMaxExtent, kMaxExtent);
  const auto width = Within(store.GetInt(u"window", u"width", kMissing), 1, kMaxExtent);
  const auto height = Within(store.GetInt(u"window", u"height", kMissing), 1, kMaxExtent);
  if (left && top && width && height) layout.window = ViewerLayout::Placement{*left, *top, *width, *height};
  for (std::size_t i = 0; i < kColumnCount; ++i) {
    layout.column_widths[i] = Within(store.GetInt(u"columns", ColumnKey(i), kMissing), 0, kMaxExtent);
  }
  if (const auto sort = Within(store.GetInt(u"columns", u"sort", kMissing), 0, static_cast<int>(kColumnCount) - 1)) {
    layout.order.column = kColumns[static_cast<std::size_t>(*sort)];
  }
  layout.order.descending = store.GetInt(u"columns", u"descending", 0) == 1;
  layout.timeline = store.GetInt(u"window", u"tab", 0) == 1;
  const int span = static_cast<int>(kTimelineSpan);
  layout.timeline_minutes = Within(store.GetInt(u"timeline", u"minutes", kMissing), kMinimumMinutesAcross, span)
                                .value_or(layout.timeline_minutes);
  layout.timeline_offset = Within(store.GetInt(u"timeline", u"offset", kMissing), 0, span).value_or(0);
  layout.timeline_top_lane = Within(store.GetInt(u"timeline", u"lane", kMissing), 0, kMaxExtent).value_or(0);
  return layout;
}

void WriteViewerLayout(SettingsStore& store, const ViewerLayout& layout) {
  const auto write = [&store](std::u16string_view section, std::u16string_view key, int value) {
    store.WriteString(section, key, Number(value));
  };
  if (layout.window) {
    write(u"window", u"left", layout.window->left);
    write(u"window", u"top", layout.window->top);
    write(u"window", u"width", layout.window->width);
    write(u"window", u"height", layout.window->height);
  }
  for (std::size_t i = 0; i < kColumnCount; ++i) {
    if (layout.column_widths[i]) write(u"columns", ColumnKey(i), *layout.column_widths[i]);
  }
  for (std::size_t i = 0; i < kColumnCount; ++i) {
    if (kColumns[i] == layout.order.column) write(u"columns", u"sort", static_cast<int>(i));
  }
  write(u"columns", u"descending", layout.order.descending ? 1 : 0);
  write(u"window", u"tab", layout.timeline ? 1 : 0);
  write(u"timeline", u"minutes", layout.timeline_minutes);
  write(u"timeline", u"offset", layout.timeline_offset);
  write(u"timeline", u"lane", layout.timeline_top_lane);
}
