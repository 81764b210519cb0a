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
// However short a recording and far the zoom, its block stays this wide,
// so that a collision stays in sight.
inline constexpr int kMinimumBlockWidth = 6;

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
  int height = 0;        // of the whole window; 0 where it is as tall as its lanes
  LocalMinute left = 0;  // the minute at the time area's left edge
  int top_lane = 0;      // the first lane below the header
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

// How many lanes the window shows whole; at least one.
int LanesInView(const TimelineView& view);

struct TimelineLane {
  std::u16string label;  // 「地デジ1」 チューナー 1
  TimelineRect rect;     // the label's cell, above the header for a lane scrolled past
};

struct TimelineBlock {
  std::size_t row = 0;  // into the rows laid out
  std::size_t lane = 0;
  Recording recording;  // cut to the span
  TimelineRect rect;    // where the view puts it, also outside the window
  bool collides = false;
  std::vector<TimelineRect> overlaps;  // where another block of its lane records too
  bool recording_now = false;
  // How far right its caption may run where the block is too narrow for
  // it: to the next block of its lane that reaches past it, or the time
  // area's edge; its own right edge where such a block records on then.
  int caption_room = 0;
};

struct TimelineTick {
  int x = 0;
  bool day = false;      // a day begins here
  std::u16string label;  // "12/10 (木)" for a day, the hour otherwise
};

struct TimelineLayout {
  TimelineRect time_area;  // right of the labels, below the header, down to the last lane shown
  int top_lane = 0;        // the view's, kept so that no lane is left out below the last
  std::vector<TimelineLane> lanes;
  std::vector<TimelineBlock> blocks;  // in time order, then lane order
  std::vector<TimelineTick> ticks;
  std::u16string first_day;  // the day at the left edge
  std::optional<int> now_x;  // where now is, when in view
};

// The user's profiles, which name the tuners they use.
struct TunerOwners {
  ProfileArray profiles{};
  int count = 0;
};

// A lane's label: the profiles whose tuner it is (「地デジ1」 チューナー 1),
// or else the recorder program's file name (cap_sts_bs.exe チューナー 2).
std::u16string LaneLabel(const TunerId& tuner, std::u16string_view application, const TunerOwners& owners);

// Lanes for the tuners that reservations which record use in the span, in
// profile tab order and then by number.
TimelineLayout LayOutTimeline(const std::vector<ReservationRow>& rows, LocalMinute now, const TimelineView& view,
                              const TunerOwners& owners = {});

// Where the keyboard moves the selection.
enum class TimelineMove {
  Earlier,   // Left: the block before in time
  Later,     // Right
  LaneUp,    // Up: the nearest block in time on the lane above
  LaneDown,  // Down
  PageUp,    // a screen of lanes up, to the nearest block in time there
  PageDown,
  First,  // Home
  Last,   // End
};
// The block a move selects from `from`; with none selected, the first or
// the last. Nothing where there is no block at all.
std::optional<std::size_t> BlockAfterMove(const TimelineLayout& layout, std::optional<std::size_t> from,
                                          TimelineMove move, int lanes_per_page);
// The view moved as little as it takes to show the block: its lane among
// those shown, and its start in the time area where it was outside.
TimelineView ViewShowing(const TimelineView& view, const TimelineLayout& layout, std::size_t block, LocalMinute now);

// The block under a point of the time area.
std::optional<std::size_t> BlockAt(const TimelineLayout& layout, int x, int y);

// The recording a click picked, known again in a layout made since.
struct PickedRecording {
  std::size_t row = 0;
  LocalMinute start = 0;
  friend bool operator==(const PickedRecording&, const PickedRecording&) = default;
};
std::optional<PickedRecording> PickAt(const TimelineLayout& layout, int x, int y);
// The block a double-click acts on: the one its first click picked, and
// only where the second click lands on it too; nothing otherwise.
std::optional<std::size_t> DoubleClickTarget(const TimelineLayout& layout, const std::optional<PickedRecording>& first,
                                             int x, int y);

// What a block says where it fits: the name and the times.
std::u16string BlockCaption(const ReservationRow& row, const TimelineBlock& block);

// The tooltip of a block: the name, the day and times, the channel with its
// station, and the reservation's 状態.
std::u16string TimelineTip(const ReservationRow& row, const Recording& recording);
