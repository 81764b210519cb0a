#include "reservations/edit_reservation.h"

#include "iepg/station_lookup.h"
#include "reservations/number_text.h"

namespace {

// The recording's file name without its folder and extension: what Halvorn
// takes as the programme title.
std::u16string TitleOf(const ReservationRow& row) {
  std::u16string_view path = row.recorder.output_path;
  path = path.substr(path.find_last_of(u"\\/") == std::u16string_view::npos ? 0 : path.find_last_of(u"\\/") + 1);
  if (const std::size_t dot = path.rfind(u'.'); dot != std::u16string_view::npos && dot > 0) path = path.substr(0, dot);
  return path.empty() ? row.item.name : std::u16string(path);
}

}  // namespace

std::u16string StationForChannel(const ChannelTable& table, std::u16string_view channel) {
  constexpr std::u16string_view kBlanks = u" \u3000\t\n";
  for (int i = 0; i < table.count; ++i) {
    const ChannelEntry& entry = table.rows[static_cast<std::size_t>(i)];
    if (entry.command.view() != channel) continue;
    std::u16string_view stations = entry.stations.view();
    const std::size_t first = stations.find_first_not_of(kBlanks);
    if (first == std::u16string_view::npos) break;
    stations = stations.substr(first, stations.find_last_not_of(kBlanks) - first + 1);
    // A name that an earlier row holds too would bring the wrong channel
    // back: then all of the row's stations, or else the channel itself,
    // which Halvorn asks the user about rather than guessing.
    for (std::u16string_view candidate : {stations.substr(0, stations.find_first_of(u" \u3000\t,/")), stations}) {
      if (LookUpStation(table, candidate, u"") == i) return std::u16string(candidate);
    }
    break;
  }
  return std::u16string(channel);
}

std::u16string ComposeEditReservation(const ReservationRow& row, const ChannelTable& table) {
  const TaskTrigger trigger = row.item.trigger.value_or(TaskTrigger{});
  const int trigger_minute = trigger.start_hour * 60 + trigger.start_minute;
  const RecordingWindow window = row.recorder.window.value_or(RecordingWindow{trigger_minute, trigger_minute});
  const fw::CalendarTime date =
      ToCalendarTime(row.next_start.value_or(ToLocalMinute(trigger.begin_year, trigger.begin_month, trigger.begin_day)));

  std::u16string text = u"Content-type: application/x-tv-program-info; charset=shift_jis\r\nversion: 1\r\n";
  text += u"station: " + StationForChannel(table, row.recorder.channel) + u"\r\n";
  text += u"year: " + ZeroPadded(date.year, 4) + u"\r\nmonth: " + ZeroPadded(date.month, 2) + u"\r\ndate: " + ZeroPadded(date.day, 2) + u"\r\n";
  text += u"start: " + ClockText(window.start) + u"\r\nend: " + ClockText(window.end) + u"\r\n";
  text += u"program-title: " + TitleOf(row) + u"\r\n";
  text += u"TASKNAME: " + row.item.name + u".job\r\n";
  if (row.recorder.tuner) text += u"FX2ID: " + (row.recorder.tuner->empty() ? u"0" : *row.recorder.tuner) + u"\r\n";
  return text;
}
