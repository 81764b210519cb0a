#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "reservations/views/reservation_list.h"

// The viewer's week at a glance: one lane for each tuner, and a block for
// each recording from the start of this hour through seven days. Everything
// is placed here, in pixels; the window only paints what this returns and
// asks it which block lies under the mouse.

inline constexpr LocalMinute kTimelineSpan = 7 * kMinutesPerDay;
inline constexpr int kMinimumMinutesAcross = 120;

// Where the axis begins: the start of the hour that `now` lies in.
LocalMinute TimelineStart(LocalMinute now);

// Left and top included, right and bottom not.
struct TimelineRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  friend bool operator==(const TimelineRect&, const TimelineRect&) = default;
};

// What the window shows of the span, and its measures in pixels.
struct TimelineView {
  int width = 0;         // of the whole window; the lanes' labels take the left of it
  LocalMinute left = 0;  // the minute at the time area's left edge
  int minutes_across = static_cast<int>(kMinutesPerDay);
  int label_width = 96;
  int header_height = 36;
  int lane_height = 28;
  friend bool operator==(const TimelineView&, const TimelineView&) = default;
};

// The view with its zoom between two hours and the whole span, and its
// left edge inside the span.
TimelineView ClampView(TimelineView view, LocalMinute now);
// Zoomed by `factor` (below 1 closer), keeping the minute under `x` where it is.
TimelineView ZoomAt(const TimelineView& view, int x, double factor, LocalMinute now);

struct TimelineLane {
  std::u16string label;  // as the チューナー column names the tuner
  TimelineRect rect;     // the label's cell
};

struct TimelineBlock {
  std::size_t row = 0;  // into the rows laid out
  std::size_t lane = 0;
  Recording recording;  // cut to the span
  TimelineRect rect;    // where the view puts it, also outside the window
  bool collides = false;
  std::vector<TimelineRect> overlaps;  // where another block of its lane records too
  bool recording_now = false;
};

struct TimelineTick {
  int x = 0;
  bool day = false;      // a day begins here
  std::u16string label;  // "12/10 (木)" for a day, the hour otherwise
};

struct TimelineLayout {
  TimelineRect time_area;  // right of the labels, below the header
  std::vector<TimelineLane> lanes;
  std::vector<TimelineBlock> blocks;  // in time order, then lane order
  std::vector<TimelineTick> ticks;
  std::u16string first_day;  // the day at the left edge
  std::optional<int> now_x;  // where now is, when in view
};

// Lanes for the tuners that reservations which record use in the span, in
// profile tab order and then by number.
TimelineLayout LayOutTimeline(const std::vector<ReservationRow>& rows, LocalMinute now, const TimelineView& view);

// The block under a point of the time area.
std::optional<std::size_t> BlockAt(const TimelineLayout& layout, int x, int y);

// The tooltip of a block: the name, the day and times, the channel with its
// station, and the reservation's 状態.
std::u16string TimelineTip(const ReservationRow& row, const Recording& recording);
