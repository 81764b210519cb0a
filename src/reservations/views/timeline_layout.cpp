#include "reservations/views/timeline_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <tuple>

#include "reservations/tuners/collisions.h"
#include "reservations/rules/number_text.h"

namespace {

constexpr std::u16string_view kWeekdays = u"日月火水木金土";
// Hour ticks are labelled no closer than this.
constexpr int kTickSpacing = 32;
constexpr int kBlockInset = 3;

double PixelsPerMinute(const TimelineView& view) {
  return static_cast<double>(std::max(view.width - view.label_width, 1)) / view.minutes_across;
}

int XOf(const TimelineView& view, LocalMinute minute) {
  return view.label_width +
         static_cast<int>(std::lround(static_cast<double>(minute - view.left) * PixelsPerMinute(view)));
}

std::u16string DayLabel(LocalMinute day) {
  const fw::CalendarTime t = ToCalendarTime(day);
  return ZeroPadded(t.month, 1) + u"/" + ZeroPadded(t.day, 1) + u" (" +
         kWeekdays[static_cast<std::size_t>(t.day_of_week)] + u")";
}

// A tuner number as its ID reads: "2", "2.5".
std::u16string NumberText(double number) {
  std::string text = std::to_string(number);
  while (text.find('.') != std::string::npos && (text.back() == '0' || text.back() == '.')) text.pop_back();
  return {text.begin(), text.end()};
}

// Tab order of the profile that names the tuner, then its device and number.
using LaneKey = std::tuple<int, std::u16string, bool, double, std::u16string>;
LaneKey KeyOf(const ReservationRow& row, const TunerId& tuner) {
  return {row.tuner_profile, tuner.device, !tuner.number.has_value(), tuner.number.value_or(0), tuner.text};
}

void AddTicks(TimelineLayout& layout, const TimelineView& view, LocalMinute span_end) {
  const double hour_pixels = PixelsPerMinute(view) * 60;
  int step = 24;
  for (const int hours : {1, 2, 3, 6, 12}) {
    if (hours * hour_pixels >= kTickSpacing) {
      step = hours;
      break;
    }
  }
  const LocalMinute last = std::min<LocalMinute>(view.left + view.minutes_across, span_end);
  const LocalMinute step_minutes = LocalMinute{step} * 60;
  for (LocalMinute at = (view.left + step_minutes - 1) / step_minutes * step_minutes; at <= last; at += step_minutes) {
    const bool day = at % kMinutesPerDay == 0;
    layout.ticks.push_back({XOf(view, at), day, day ? DayLabel(at) : ZeroPadded(at % kMinutesPerDay / 60, 1)});
  }
  layout.first_day = DayLabel(view.left - view.left % kMinutesPerDay);
}

// Blocks in time order: one that began earlier and reaches past a block's
// end leaves its caption no room; otherwise the first later one of its
// lane that reaches past it bounds it.
void SetCaptionRooms(TimelineLayout& layout) {
  std::map<std::size_t, int> furthest;  // by lane, the right edge reached so far
  auto& blocks = layout.blocks;
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    TimelineBlock& block = blocks[i];
    const auto reached = furthest.find(block.lane);
    block.caption_room = layout.time_area.right;
    if (reached != furthest.end() && reached->second > block.rect.right) {
      block.caption_room = block.rect.right;
    } else {
      for (std::size_t j = i + 1; j < blocks.size(); ++j) {
        if (blocks[j].lane != block.lane || blocks[j].rect.right <= block.rect.right) continue;
        block.caption_room = std::max(blocks[j].rect.left, block.rect.right);
        break;
      }
    }
    int& edge = furthest.try_emplace(block.lane, block.rect.right).first->second;
    edge = std::max(edge, block.rect.right);
  }
}

}  // namespace

LocalMinute TimelineStart(LocalMinute now) { return now - (now % 60 + 60) % 60; }

TimelineView ClampView(TimelineView view, LocalMinute now) {
  view.minutes_across = std::clamp(view.minutes_across, kMinimumMinutesAcross, static_cast<int>(kTimelineSpan));
  const LocalMinute start = TimelineStart(now);
  view.left = std::clamp(view.left, start, start + kTimelineSpan - view.minutes_across);
  return view;
}

TimelineView ZoomAt(const TimelineView& view, int x, double factor, LocalMinute now) {
  const int offset = std::clamp(x - view.label_width, 0, std::max(view.width - view.label_width, 0));
  const LocalMinute under = view.left + static_cast<LocalMinute>(std::lround(offset / PixelsPerMinute(view)));
  TimelineView zoomed = view;
  zoomed.minutes_across = std::clamp(static_cast<int>(std::lround(view.minutes_across * factor)), kMinimumMinutesAcross,
                                     static_cast<int>(kTimelineSpan));
  zoomed.left = under - static_cast<LocalMinute>(std::lround(offset / PixelsPerMinute(zoomed)));
  return ClampView(zoomed, now);
}

int LanesInView(const TimelineView& view) {
  if (view.height <= 0) return std::numeric_limits<int>::max();
  return std::max((view.height - view.header_height) / std::max(view.lane_height, 1), 1);
}

std::u16string LaneLabel(const TunerId& tuner, std::u16string_view application, const TunerOwners& owners) {
  std::u16string names;
  for (int i = 0; i < std::clamp(owners.count, 0, kMaxProfiles); ++i) {
    const RecordingProfile& profile = owners.profiles[static_cast<std::size_t>(i)];
    if (TunerOfProfile(profile) == tuner) names += u"「" + profile.title.str() + u"」";
  }
  if (names.empty()) names = std::u16string(application.substr(application.find_last_of(u"\\/") + 1));
  return names + u" チューナー " + (tuner.number ? NumberText(*tuner.number) : u"既定");
}

TimelineLayout LayOutTimeline(const std::vector<ReservationRow>& rows, LocalMinute now, const TimelineView& view_asked,
                              const TunerOwners& owners) {
  TimelineLayout layout;
  const LocalMinute start = TimelineStart(now);
  const LocalMinute end = start + kTimelineSpan;
  struct Booked {
    std::size_t row;
    LaneKey key;
    std::size_t first_block = 0;
  };
  std::vector<Booked> booked;
  std::vector<TunerBooking> bookings;
  std::map<LaneKey, std::size_t> lanes;
  std::map<LaneKey, std::u16string> labels;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const ReservationRow& row = rows[i];
    TunerBooking booking = BookingOf(row.item, row.recorder, row.standing, start, end);
    if (!booking.tuner || booking.recordings.empty()) continue;
    const LaneKey key = KeyOf(row, *booking.tuner);
    labels.emplace(key, LaneLabel(*booking.tuner, row.item.application, owners));
    booked.push_back({i, key});
    bookings.push_back(std::move(booking));
  }
  const int lane_count = static_cast<int>(labels.size());
  // No lane is left out below the last for want of scrolling back.
  TimelineView view = view_asked;
  view.top_lane = std::clamp(view.top_lane, 0, std::max(lane_count - LanesInView(view), 0));
  layout.top_lane = view.top_lane;
  for (const auto& [key, label] : labels) {
    const int top = view.header_height + (static_cast<int>(layout.lanes.size()) - view.top_lane) * view.lane_height;
    lanes.emplace(key, layout.lanes.size());
    layout.lanes.push_back({label, {0, top, view.label_width, top + view.lane_height}});
  }
  const int lanes_bottom = view.header_height + (lane_count - view.top_lane) * view.lane_height;
  layout.time_area = {view.label_width, view.header_height, view.width,
                      view.height > 0 ? std::min(lanes_bottom, view.height) : lanes_bottom};
  for (std::size_t b = 0; b < booked.size(); ++b) {
    booked[b].first_block = layout.blocks.size();
    const std::size_t lane = lanes.at(booked[b].key);
    const TimelineRect& cell = layout.lanes[lane].rect;
    for (const Recording& r : bookings[b].recordings) {
      const Recording cut{std::max(r.start, start), std::min(r.end, end)};
      const int left = XOf(view, cut.start);
      TimelineBlock block;
      block.row = booked[b].row;
      block.lane = lane;
      block.recording = cut;
      block.rect = {left, cell.top + kBlockInset, std::max(XOf(view, cut.end), left + kMinimumBlockWidth),
                    cell.bottom - kBlockInset};
      block.recording_now = rows[block.row].item.running && r.start <= now && now < r.end;
      layout.blocks.push_back(std::move(block));
    }
  }
  // Red where the one collision rule finds a tuner held twice at once, from
  // now on, as the list marks 重複.
  for (const Clash& clash : FindClashes(bookings)) {
    if (clash.both.end <= now) continue;
    TimelineBlock& a = layout.blocks[booked[clash.first].first_block + clash.first_recording];
    TimelineBlock& b = layout.blocks[booked[clash.second].first_block + clash.second_recording];
    const Recording shown{std::max(clash.both.start, start), std::min(clash.both.end, end)};
    const TimelineRect overlap{XOf(view, shown.start), a.rect.top, XOf(view, shown.end), a.rect.bottom};
    a.collides = b.collides = true;
    a.overlaps.push_back(overlap);
    b.overlaps.push_back(overlap);
  }
  std::sort(layout.blocks.begin(), layout.blocks.end(), [](const TimelineBlock& a, const TimelineBlock& b) {
    return std::tie(a.recording.start, a.lane, a.row) < std::tie(b.recording.start, b.lane, b.row);
  });
  SetCaptionRooms(layout);
  AddTicks(layout, view, end);
  if (now >= view.left && now <= view.left + view.minutes_across) layout.now_x = XOf(view, now);
  return layout;
}

std::optional<std::size_t> BlockAt(const TimelineLayout& layout, int x, int y) {
  if (!layout.time_area.Contains(x, y)) return std::nullopt;
  // The later block owns a pixel two blocks share, where one ends as the next begins.
  for (std::size_t i = layout.blocks.size(); i-- > 0;) {
    if (layout.blocks[i].rect.Contains(x, y)) return i;
  }
  return std::nullopt;
}

std::optional<PickedRecording> PickAt(const TimelineLayout& layout, int x, int y) {
  const auto block = BlockAt(layout, x, y);
  if (!block) return std::nullopt;
  return PickedRecording{layout.blocks[*block].row, layout.blocks[*block].recording.start};
}

std::optional<std::size_t> DoubleClickTarget(const TimelineLayout& layout, const std::optional<PickedRecording>& first,
                                             int x, int y) {
  const auto block = BlockAt(layout, x, y);
  if (!block || !first || PickAt(layout, x, y) != first) return std::nullopt;
  return block;
}

namespace {

// How far apart in time two recordings lie: 0 where they overlap.
LocalMinute Apart(const Recording& a, const Recording& b) {
  return std::max<LocalMinute>({0, a.start - b.end, b.start - a.end});
}

// The block on `lane` nearest in time to `from`; the earlier of two as near.
std::optional<std::size_t> NearestOnLane(const TimelineLayout& layout, std::size_t lane, const Recording& from) {
  std::optional<std::size_t> nearest;
  const auto key = [&](std::size_t i) {
    const Recording& r = layout.blocks[i].recording;
    return std::tuple(Apart(r, from), r.start < from.start ? from.start - r.start : r.start - from.start, r.start);
  };
  for (std::size_t i = 0; i < layout.blocks.size(); ++i) {
    if (layout.blocks[i].lane == lane && (!nearest || key(i) < key(*nearest))) nearest = i;
  }
  return nearest;
}

}  // namespace

std::optional<std::size_t> BlockAfterMove(const TimelineLayout& layout, std::optional<std::size_t> from,
                                          TimelineMove move, int lanes_per_page) {
  const std::size_t count = layout.blocks.size();
  if (count == 0) return std::nullopt;
  const bool backwards = move == TimelineMove::Earlier || move == TimelineMove::LaneUp ||
                         move == TimelineMove::PageUp || move == TimelineMove::Last;
  if (!from || *from >= count || move == TimelineMove::First || move == TimelineMove::Last)
    return backwards ? count - 1 : 0;
  switch (move) {
    case TimelineMove::Earlier:
      return *from > 0 ? *from - 1 : *from;
    case TimelineMove::Later:
      return *from + 1 < count ? *from + 1 : *from;
    default:
      break;
  }
  const int step = move == TimelineMove::LaneUp || move == TimelineMove::LaneDown ? 1 : std::max(lanes_per_page, 1);
  const int last_lane = static_cast<int>(layout.lanes.size()) - 1;
  const int lane = std::clamp(static_cast<int>(layout.blocks[*from].lane) + (backwards ? -step : step), 0, last_lane);
  return NearestOnLane(layout, static_cast<std::size_t>(lane), layout.blocks[*from].recording).value_or(*from);
}

TimelineView ViewShowing(const TimelineView& view, const TimelineLayout& layout, std::size_t block, LocalMinute now) {
  if (block >= layout.blocks.size()) return view;
  const TimelineBlock& shown = layout.blocks[block];
  TimelineView moved = view;
  moved.top_lane = layout.top_lane;
  const int lane = static_cast<int>(shown.lane);
  if (lane < moved.top_lane) moved.top_lane = lane;
  if (lane >= moved.top_lane + LanesInView(view)) moved.top_lane = lane - LanesInView(view) + 1;
  if (shown.rect.left < layout.time_area.left || shown.rect.right > layout.time_area.right)
    moved.left = shown.recording.start - view.minutes_across / 4;
  return ClampView(moved, now);
}

std::u16string BlockCaption(const ReservationRow& row, const TimelineBlock& block) {
  const auto clock = [](LocalMinute minute) { return ClockText(static_cast<int>(minute % kMinutesPerDay)); };
  return (block.recording_now ? u"● " : u"") + row.item.name + u"  " + clock(block.recording.start) + u"～" +
         clock(block.recording.end);
}

std::u16string TimelineTip(const ReservationRow& row, const Recording& recording) {
  const auto clock = [](LocalMinute minute) { return ClockText(static_cast<int>(minute % kMinutesPerDay)); };
  const std::u16string state = ColumnText(row, Column::State);
  return row.item.name + u"\r\n" + DayLabel(recording.start - recording.start % kMinutesPerDay) + u" " +
         clock(recording.start) + u"～" + clock(recording.end) + u"\r\n" +
         (row.channel_text.empty() ? row.recorder.channel : row.channel_text) + u"\r\n状態: " +
         (state.empty() ? u"録画予定" : state);
}
