#include "reservations/views/reservation_list.h"

#include "platform/path_key.h"

#include <algorithm>
#include <tuple>

#include "compose/command_line.h"
#include "reservations/tuners/collisions.h"
#include "reservations/rules/number_text.h"

namespace {

constexpr std::u16string_view kWeekdayLetters = u"日月火水木金土";

std::u16string FileNameOf(std::u16string_view path) {
  const std::size_t separator = path.find_last_of(u"\\/");
  return std::u16string(separator == std::u16string_view::npos ? path : path.substr(separator + 1));
}

std::u16string ChannelText(const ChannelTable& channels, const std::u16string& channel) {
  for (int i = 0; i < channels.count; ++i) {
    const ChannelEntry& entry = channels.rows[static_cast<std::size_t>(i)];
    if (entry.command.view() != channel) continue;
    if (entry.name.empty()) break;
    return entry.name.str() + u" (" + channel + u")";
  }
  return channel;
}

bool Before(const ReservationRow& a, const ReservationRow& b) {
  const auto key = [](const ReservationRow& row) {
    return std::make_tuple(!row.next_start.has_value(), row.next_start.value_or(0), row.item.name);
  };
  return key(a) < key(b);
}

std::u16string RepeatText(const ReservationRow& row) {
  if (!row.item.trigger || row.standing == Standing::NoTrigger) return {};
  switch (row.item.trigger->type) {
    case 0:
      return u"一回のみ";
    case 1:
      return u"毎日";
    case 2: {
      std::u16string text = u"毎週 ";
      const int days = RecordingSchedule(*row.item.trigger, row.recorder.window).BroadcastWeekdays();
      for (int day = 0; day < 7; ++day) {
        if ((days >> day & 1) != 0) text += kWeekdayLetters[static_cast<std::size_t>(day)];
      }
      return text;
    }
    default:
      return {};
  }
}

// One word, the first that applies.
std::u16string StateText(const ReservationRow& row) {
  if (row.item.running) return u"録画中";
  switch (row.standing) {
    case Standing::Disabled:
      return u"無効";
    case Standing::Ended:
      return u"終了";
    case Standing::NoTrigger:
      return u"未設定";
    case Standing::Records:
      break;
  }
  if (!row.missing.empty()) return MissingNeedWord(row.missing.front().need);
  return row.collisions.empty() ? u"" : u"重複";
}

std::u16string TunerNumberText(const std::u16string& tuner) { return tuner.empty() ? u"既定" : tuner; }

std::u16string LastRunText(const ReservationRow& row) {
  const StoredWorkItem& item = row.item;
  if (!item.last_run) return {};
  const TaskTime& run = *item.last_run;
  const std::u16string when =
      ZeroPadded(run.month, 2) + u"/" + ZeroPadded(run.day, 2) + u" " + ClockText(run.hour * 60 + run.minute);
  if (item.exit_code != 0) return u"失敗 (コード " + ZeroPadded(item.exit_code, 1) + u") " + when;
  switch (row.left) {
    case RunLeft::NoFile:
      return u"要確認 (ファイルなし) " + when;
    case RunLeft::TooSmall:
      return u"要確認 (" + MegabyteText(row.left_bytes) + u") " + when;
    case RunLeft::Recording:
      return u"正常 " + when;
    case RunLeft::NotJudged:
      break;
  }
  // A run nothing judged (one still recording, a share that did not
  // answer) is no 正常.
  return {};
}

}  // namespace

bool RunsARecorder(std::u16string_view application, const std::vector<std::u16string>& recorder_paths) {
  if (FileNameOf(PathKey(application)).starts_with(u"CAP_STS")) return true;
  return std::any_of(recorder_paths.begin(), recorder_paths.end(),
                     [application](const std::u16string& path) { return PathMatchesPattern(application, path); });
}

std::vector<std::u16string> RecorderPathsOf(const ProfileArray& profiles, int profile_count) {
  std::vector<std::u16string> paths;
  for (int i = 0; i < profile_count && i < kProfileSlots; ++i)
    paths.push_back(profiles[static_cast<std::size_t>(i)].cap_sts_path.str());
  return paths;
}

void NameTunersAfterProfiles(std::vector<ReservationRow>& rows, const ProfileArray& profiles, int profile_count) {
  const int count = std::clamp(profile_count, 0, kMaxProfiles);
  for (ReservationRow& row : rows) {
    if (!row.recorder.tuner) continue;
    const TunerId tuner = TunerOf(row.item.application, *row.recorder.tuner);
    const char16_t mark = TunerMark(*row.recorder.tuner);
    int first_of_recorder = -1;
    for (int i = 0; i < count; ++i) {
      const RecordingProfile& profile = profiles[static_cast<std::size_t>(i)];
      if (PathKey(WithTunerMark(profile.cap_sts_path.str(), mark)) != tuner.device) continue;
      if (TunerOfProfile(profile) == tuner) {
        row.tuner_text = profile.title.str();
        row.tuner_profile = i;
        first_of_recorder = -1;
        break;
      }
      if (first_of_recorder < 0) first_of_recorder = i;
    }
    if (first_of_recorder >= 0) {
      row.tuner_text = profiles[static_cast<std::size_t>(first_of_recorder)].title.str() + u" · " +
                       TunerNumberText(*row.recorder.tuner);
      row.tuner_profile = first_of_recorder;
    }
  }
}

std::vector<ReservationRow> ListReservations(const std::vector<StoredWorkItem>& items,
                                             const std::vector<std::u16string>& recorder_paths,
                                             const ChannelTable& channels, LocalMinute now) {
  std::vector<ReservationRow> rows;
  std::vector<TunerBooking> bookings;
  for (const StoredWorkItem& item : items) {
    if (!RunsARecorder(item.application, recorder_paths)) continue;
    ReservationRow& row = rows.emplace_back();
    row.item = item;
    row.recorder = ReadRecorderParameters(item.parameters);
    row.standing = StandingOf(item, row.recorder.window, now);
    row.channel_text = ChannelText(channels, row.recorder.channel);
    if (row.standing == Standing::Records)
      row.next_start = RecordingSchedule(*item.trigger, row.recorder.window).NextStart(now);
    bookings.push_back(BookingOf(item, row.recorder, row.standing, now, now + kCollisionHorizon));
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
    case Column::Repeat:
      return RepeatText(row);
    case Column::Channel:
      return row.channel_text;
    case Column::Tuner:
      if (!row.recorder.tuner) return {};
      if (!row.tuner_text.empty()) return row.tuner_text;
      return TunerNumberText(*row.recorder.tuner);
    case Column::Window:
      return row.recorder.window ? FormatWindow(*row.recorder.window) : std::u16string();
    case Column::Output:
      return row.recorder.output_path;
    case Column::State:
      return StateText(row);
    case Column::LastRun:
      return LastRunText(row);
  }
  return {};
}

CellTone ToneOf(const ReservationRow& row, Column column) {
  if (column == Column::LastRun && LastRunFailed(row)) return CellTone::Alarm;
  if (IsDormant(row)) return CellTone::Dormant;
  return row.collisions.empty() && row.missing.empty() ? CellTone::Normal : CellTone::Alarm;
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
