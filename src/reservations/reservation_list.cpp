#include "reservations/reservation_list.h"

#include <algorithm>
#include <tuple>

#include "reservations/collisions.h"
#include "reservations/number_text.h"

namespace {

constexpr std::u16string_view kWeekdayLetters = u"日月火水木金土";

char16_t FoldCase(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

// Windows paths: without regard to case, "?" in the pattern for any one character.
bool PathMatches(std::u16string_view path, std::u16string_view pattern) {
  return path.size() == pattern.size() &&
         std::equal(path.begin(), path.end(), pattern.begin(),
                    [](char16_t p, char16_t q) { return q == u'?' || FoldCase(p) == FoldCase(q); });
}

std::u16string FileNameOf(std::u16string_view path) {
  const std::size_t separator = path.find_last_of(u"\\/");
  return std::u16string(separator == std::u16string_view::npos ? path : path.substr(separator + 1));
}

RecordingSchedule ScheduleOf(const ReservationRow& row) { return RecordingSchedule(*row.item.trigger, row.recorder.window); }

bool Before(const ReservationRow& a, const ReservationRow& b) {
  const auto key = [](const ReservationRow& row) {
    const bool ahead = row.next_start.has_value() && !row.finished;
    return std::make_tuple(!ahead, row.next_start.value_or(0), row.item.name);
  };
  return key(a) < key(b);
}

}  // namespace

bool RunsARecorder(std::u16string_view application, const std::vector<std::u16string>& recorder_paths) {
  std::u16string file = FileNameOf(application);
  std::transform(file.begin(), file.end(), file.begin(), FoldCase);
  if (file.starts_with(u"cap_sts")) return true;
  return std::any_of(recorder_paths.begin(), recorder_paths.end(),
                     [application](const std::u16string& path) { return PathMatches(application, path); });
}

std::vector<ReservationRow> ListReservations(const std::vector<StoredWorkItem>& items,
                                             const std::vector<std::u16string>& recorder_paths, LocalMinute now) {
  std::vector<ReservationRow> rows;
  std::vector<TunerBooking> bookings;
  for (const StoredWorkItem& item : items) {
    if (!RunsARecorder(item.application, recorder_paths)) continue;
    ReservationRow& row = rows.emplace_back();
    row.item = item;
    row.recorder = ReadRecorderParameters(item.parameters);
    TunerBooking& booking = bookings.emplace_back();
    if (!item.trigger) continue;
    const RecordingSchedule schedule = ScheduleOf(row);
    row.next_start = schedule.NextStart(now);
    row.finished = schedule.once() && *row.next_start + schedule.duration() <= now;
    if (row.recorder.window) {
      booking.tuner = row.recorder.tuner;
      booking.recordings = schedule.RecordingsBetween(now, now + kCollisionHorizon);
    }
  }
  for (const Collision& collision : FindCollisions(bookings)) {
    rows[collision.first].collisions.push_back({rows[collision.second].item.name, collision.from, collision.to});
    rows[collision.second].collisions.push_back({rows[collision.first].item.name, collision.from, collision.to});
  }
  std::stable_sort(rows.begin(), rows.end(), Before);
  return rows;
}

std::u16string FormatLocalMinute(LocalMinute minute) {
  const fw::CalendarTime t = ToCalendarTime(minute);
  return ZeroPadded(t.year, 4) + u"/" + ZeroPadded(t.month, 2) + u"/" + ZeroPadded(t.day, 2) + u" " +
         ClockText(t.hour * 60 + t.minute);
}

std::u16string ColumnText(const ReservationRow& row, Column column) {
  switch (column) {
    case Column::Name:
      return row.item.name;
    case Column::NextStart:
      return row.next_start ? FormatLocalMinute(*row.next_start) : std::u16string();
    case Column::Repeat: {
      if (!row.item.trigger) return {};
      switch (row.item.trigger->type) {
        case 0:
          return u"一回のみ";
        case 1:
          return u"毎日";
        case 2: {
          std::u16string text = u"毎週 ";
          const int days = ScheduleOf(row).BroadcastWeekdays();
          for (int day = 0; day < 7; ++day) {
            if ((days >> day & 1) != 0) text += kWeekdayLetters[static_cast<std::size_t>(day)];
          }
          return text;
        }
        default:
          return {};
      }
    }
    case Column::Channel:
      return row.recorder.channel;
    case Column::Tuner:
      if (!row.recorder.tuner) return {};
      return row.recorder.tuner->empty() ? u"既定" : *row.recorder.tuner;
    case Column::Window:
      return row.recorder.window ? FormatWindow(*row.recorder.window) : std::u16string();
    case Column::Output:
      return row.recorder.output_path;
    case Column::State:
      if (!row.collisions.empty()) return u"重複";
      return row.finished ? u"終了" : u"";
  }
  return {};
}

std::u16string CollisionNote(const ReservationRow& row) {
  std::u16string note;
  for (const RowCollision& collision : row.collisions) {
    if (!note.empty()) note += u"、";
    const std::u16string end = FormatLocalMinute(collision.to);
    note += u"「" + collision.other + u"」と重複 " + FormatLocalMinute(collision.from) + u"～" + end.substr(11);
  }
  return note;
}
