#include "reservations/edit/edit_reservation.h"

#include <algorithm>

#include "compose/title_cleanup.h"
#include "iepg/iepg_reader.h"
#include "iepg/station_lookup.h"
#include "platform/code_page.h"
#include "reservations/edit/carried_reservation.h"
#include "reservations/rules/number_text.h"
#include "scheduler/work_item_name.h"

namespace {

// The recording's file name without its folder and extension: what Halvorn
// takes as the programme title.
std::u16string TitleOf(const ReservationRow& row) {
  std::u16string_view path = row.recorder.output_path;
  path = path.substr(path.find_last_of(u"\\/") == std::u16string_view::npos ? 0 : path.find_last_of(u"\\/") + 1);
  if (const std::size_t dot = path.rfind(u'.'); dot != std::u16string_view::npos && dot > 0) path = path.substr(0, dot);
  return path.empty() ? row.item.name : std::u16string(path);
}

// A line break or another control character ends or breaks a line of the
// reservation file, so that what Halvorn reads back is not what is stored.
bool HasControlCharacter(std::u16string_view text) {
  return std::any_of(text.begin(), text.end(), [](char16_t c) { return c < u' ' || c == u'\x7F'; });
}

// The stored texts that travel through the reservation file, each with the
// words that name it.
std::optional<std::u16string> ControlCharacterIn(const StoredWorkItem& item) {
  const std::pair<const std::u16string*, std::u16string_view> parts[] = {
      {&item.name, u"名前"},
      {&item.application, u"録画プログラムのパス"},
      {&item.parameters, u"録画のパラメータ"},
      {&item.working_directory, u"作業フォルダー"},
  };
  for (const auto& [text, part] : parts) {
    if (HasControlCharacter(*text)) return std::u16string(part) + u"に改行などの制御文字があります。";
  }
  return std::nullopt;
}

// The years Halvorn's calendar and the C library's local time both hold.
constexpr int kFirstYear = 1900;
constexpr int kLastYear = 9999;

// The first recording of the row: its next one, or where its trigger begins.
LocalMinute FirstRecording(const ReservationRow& row, const TaskTrigger& trigger) {
  if (row.next_start) return *row.next_start;
  const LocalMinute begin = ToLocalMinute(trigger.begin_year, trigger.begin_month, trigger.begin_day);
  return RecordingSchedule(trigger, row.recorder.window).NextStart(begin).value_or(begin);
}

std::u16string Cleaned(std::u16string text) {
  CleanTitle(text);
  return text;
}

// Halvorn's reservation files carry at most this much of a title or a name.
constexpr std::size_t kMaxCarriedText = 79;

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
  const fw::CalendarTime date = ToCalendarTime(FirstRecording(row, trigger));
  // The station only has to be one: the channel travels by itself.
  std::u16string station = StationForChannel(table, row.recorder.channel);
  if (station.empty()) station = u"-";

  std::u16string text = u"Content-type: application/x-tv-program-info; charset=shift_jis\r\nversion: 1\r\n";
  text += u"station: " + station + u"\r\n";
  text += u"year: " + ZeroPadded(date.year, 4) + u"\r\nmonth: " + ZeroPadded(date.month, 2) + u"\r\ndate: " +
          ZeroPadded(date.day, 2) + u"\r\n";
  text += u"start: " + ClockText(window.start) + u"\r\nend: " + ClockText(window.end) + u"\r\n";
  text += u"program-title: " + TitleOf(row) + u"\r\n";
  text += u"TASKNAME: " + row.item.name + u".job\r\n";
  if (row.recorder.tuner) text += u"FX2ID: " + (row.recorder.tuner->empty() ? u"0" : *row.recorder.tuner) + u"\r\n";
  text += u"CHANNEL: " + row.recorder.channel + u"\r\n";
  return text;
}

std::optional<std::u16string> WhyNotEditable(const ReservationRow& row, const HalvornSetup& setup) {
  const int offset_min = setup.offset_min;
  const StoredWorkItem& item = row.item;
  if (auto control = ControlCharacterIn(item)) return control;
  if (!NamesAWorkItemFile(item.name + u".job") || item.name.empty())
    return u"名前がタスクのファイル名として読めません。";
  if (!FitsCodePage932(item.name)) return u"名前にシフト JIS で書けない文字があります。";
  if (item.name.size() > kMaxCarriedText) return u"名前が 79 文字を超えています。";
  if (item.trigger_count == 0 || !item.trigger) return u"開始日時のトリガーがありません。";
  if (item.trigger_count > 1) return u"トリガーが複数あります。";
  const TaskTrigger& trigger = *item.trigger;
  if (!TriggerCanBeRead(trigger)) return u"トリガーの日付と時刻が読めません。";
  if (trigger.type > 2) return u"トリガーが一回のみ・毎日・毎週のどれでもありません。";
  if ((trigger.type == 1 && trigger.days_interval != 1) || (trigger.type == 2 && trigger.weeks_interval != 1)) {
    return u"毎日・毎週でない間隔の繰り返しです。";
  }
  if (trigger.type == 2 && (trigger.days_of_the_week & 0x7F) == 0) return u"毎週のトリガーに曜日がありません。";
  if (const int year = ToCalendarTime(FirstRecording(row, trigger)).year; year < kFirstYear || year > kLastYear) {
    return u"録画日の年 (" + ZeroPadded(year, 1) + u") が Halvorn の扱える 1900～9999 年の外です。";
  }
  if (!row.recorder.window || !row.recorder.tuner) return u"録画のパラメータが Halvorn の作った形ではありません。";
  if (!row.recorder.tuner->empty() && !IsTunerIdText(*row.recorder.tuner))
    return u"チューナー ID を Halvorn に渡せません。";
  if (!IsChannelText(row.recorder.channel)) return u"チャンネルを Halvorn に渡せません。";
  const std::u16string title = TitleOf(row);
  if (!FitsCodePage932(title) || title.size() > kMaxCarriedText) return u"録画ファイルの名前を Halvorn に渡せません。";
  const int lead = RecordingSchedule(trigger, row.recorder.window).lead();
  if (lead != offset_min) {
    return u"開始の前倒し (" + ZeroPadded(lead, 1) + u" 分) が Halvorn の設定 (" + ZeroPadded(offset_min, 1) +
           u" 分) と違います。";
  }
  if (setup.parentheses != 0 && (Cleaned(title) != title || Cleaned(item.name) != item.name)) {
    return u"Halvorn の「括弧を削除」の設定で名前が変わります。";
  }
  CarryOutcome carry = CarryThroughForm(item, setup.profiles, setup.profile_count);
  if (!carry.carried) return std::move(carry.why_not);
  return std::nullopt;
}
