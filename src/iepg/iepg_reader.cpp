#include "iepg/iepg_reader.h"

#include <algorithm>

#include "compose/c_numbers.h"
#include "platform/code_page.h"
#include "platform/file_access.h"
#include "platform/local_time.h"
#include "platform/text_file.h"
#include "scheduler/job_file.h"
#include "scheduler/work_item_name.h"

namespace {

constexpr std::u16string_view kContentTypeLabel = u"Content-type:";
constexpr std::u16string_view kProgramInfoType = u"application/x-tv-program-info";
constexpr std::u16string_view kDigitalInfoType = u"application/x-tv-program-digital-info";

// "21:30": the hour from the start, the minute from one character after
// where the hour's digits stopped, whatever that character is.
void ReadTime(std::u16string_view value, int& hour, int& minute) {
  std::size_t stop = 0;
  hour = ReadInt(value, &stop);
  minute = stop + 1 < value.size() ? ReadInt(value.substr(stop + 1)) : 0;
}

bool IsContentTypeLine(std::u16string_view line) {
  return line.find(kContentTypeLabel) != std::u16string_view::npos &&
         (line.find(kProgramInfoType) != std::u16string_view::npos ||
          line.find(kDigitalInfoType) != std::u16string_view::npos);
}

// The work item registering would replace, "NAME.job" in the Tasks folder,
// so that only a recording reservation is ever replaced and the one
// replaced keeps what the reservation file does not say.
void ReadNamedWorkItem(const std::u16string& folder, ProgramInfo& info) {
  const std::u16string path = folder + info.task_name.str() + u".job";
  if (!NamesAWorkItemFile(info.task_name.str() + u".job") || !PathExists(path)) return;
  const auto bytes = ReadFileBytes(path, kMaxWorkItemFileSize);
  info.named_item = bytes ? ParseJobFile(*bytes) : std::nullopt;
  info.named_item_unreadable = !info.named_item;
}

// The work item a reservation names: its trigger's repeat mode and days
// tell how the broadcast was registered before.
void ReadTaskName(std::u16string_view value, ProgramInfo& info, ReservationForm& form, const IepgReadContext& context) {
  form.repeat = kRepeatOnce;
  info.trigger_days = 0;
  // The file Windows opens for the value: "ドラマ.JOB." is "ドラマ.job".
  value = AsWindowsOpensIt(value);
  const std::u16string_view name = WorkItemNameOf(value);
  const std::u16string file_name = name.size() < value.size() ? std::u16string(name) + u".job" : std::u16string(value);

  // The work item file lies in the Tasks folder of the Windows folder. A
  // path that would not have fitted the narrow buffer of old (516 bytes,
  // its terminator included) is treated like a missing file rather than
  // read cut short.
  constexpr std::size_t kMaxPathBytes = 515;
  const std::u16string folder = context.system_root.value_or(u"") + u"\\Tasks\\";
  std::optional<StoredTrigger> trigger;
  if (NamesAWorkItemFile(file_name) &&
      EncodeCodePage932(folder).size() + EncodeCodePage932(file_name).size() <= kMaxPathBytes) {
    if (const auto file = InputFile::Open(folder + file_name)) {
      if (const auto size = file->Size()) {
        trigger = ReadStoredTrigger(
            *size, [&file](std::uint64_t offset, std::span<char> buffer) { return file->ReadAt(offset, buffer); });
      }
    }
  }
  if (trigger && trigger->type >= kRepeatOnce && trigger->type <= kRepeatWeekly) {
    form.repeat = trigger->type;
    info.trigger_days = trigger->days & 0x7F;
  }

  info.task_name = name;
  info.named_item.reset();
  info.named_item_unreadable = false;
  if (context.system_root) ReadNamedWorkItem(folder, info);
  form.delete_same_name = 1;
  form.registration_mode = RegistrationMode::Quiet;
}

void ReadTunerId(std::u16string_view value, ProgramInfo& info, ReservationForm& form) {
  constexpr std::u16string_view kBlanks = u" \t";
  const std::size_t first = value.find_first_not_of(kBlanks);
  if (first == std::u16string_view::npos) return;
  value = value.substr(first, value.find_last_not_of(kBlanks) - first + 1);
  if (!IsTunerIdText(value)) return;
  form.id = std::u16string(value);
  info.tuner_given = true;
}

void ReadChannel(std::u16string_view value, ProgramInfo& info) {
  if (IsChannelText(value)) info.channel = std::u16string(value);
}

// A value of "TASKNAME: " as the reader keeps it until the header is over:
// longer than any path to a work item file, so cutting it changes nothing.
constexpr std::size_t kMaxKeptTaskName = 1024;

void ReadHeaderLine(std::u16string_view line, ProgramInfo& info, ReservationForm& form,
                    std::optional<std::u16string>& task_file) {
  auto value_of = [line](std::u16string_view key) -> std::optional<std::u16string_view> {
    if (line.substr(0, key.size()) != key) return std::nullopt;
    return line.substr(key.size());
  };
  if (auto v = value_of(u"version: "))
    info.version = ReadInt(*v);
  else if (auto v = value_of(u"station: "))
    info.station = *v;
  else if (auto v = value_of(u"station-name: "))
    info.station_name = *v;
  else if (auto v = value_of(u"year: "))
    info.year = ReadInt(*v);
  else if (auto v = value_of(u"month: "))
    info.month = ReadInt(*v);
  else if (auto v = value_of(u"date: "))
    info.date = ReadInt(*v);
  else if (auto v = value_of(u"start: "))
    ReadTime(*v, info.start_hour, info.start_min);
  else if (auto v = value_of(u"end: "))
    ReadTime(*v, info.end_hour, info.end_min);
  else if (auto v = value_of(u"program-title: "))
    info.program_title = *v;
  else if (auto v = value_of(u"program-subtitle: "))
    info.program_subtitle = *v;
  else if (auto v = value_of(u"performer: "))
    info.performer = *v;
  else if (auto v = value_of(u"genre: "))
    info.genre = ReadInt(*v);
  else if (auto v = value_of(u"subgenre: "))
    info.subgenre = ReadInt(*v);
  else if (auto v = value_of(u"Extend: "))
    info.extend = ReadInt(*v);
  else if (auto v = value_of(u"extend: "))
    info.extend = ReadInt(*v);
  else if (auto v = value_of(u"TASKNAME: ")) {
    // A name Windows reduces to nothing names no work item: the line is
    // no TASKNAME and replaces nothing.
    if (NamesSomeWorkItem(*v)) task_file = std::u16string(v->substr(0, kMaxKeptTaskName));
  } else if (auto v = value_of(u"FX2ID: "))
    ReadTunerId(*v, info, form);
  else if (auto v = value_of(u"CHANNEL: "))
    ReadChannel(*v, info);
}

void AppendDescription(ProgramInfo& info, std::u16string_view piece) {
  const std::size_t room = ProgramInfo::kMaxDescription - info.description.size();
  info.description.append(piece.substr(0, room));
}

// Start times of 24:00 and later belong to the next day. Noon of the start
// date is moved on by a day so that a daylight-saving change cannot land
// the result on the wrong date.
bool MoveStartDateToNextDay(ProgramInfo& info) {
  const auto noon = SecondsFromLocalTime({info.year, info.month, 0, info.date, 12, 0, 0});
  if (!noon) return false;
  const auto next = LocalTimeFromSeconds(*noon + 86400);
  if (!next) return false;
  info.year = next->year;
  info.month = next->month;
  info.date = next->day;
  return true;
}

// A reservation whose date or times could never be put into the calendar
// and the time pickers is rejected whole, so a broken file never
// half-applies.
bool DateAndTimesCanBeBuilt(const ProgramInfo& info) {
  return info.year >= 1900 && info.year <= 9999 && info.month >= 1 && info.month <= 12 && info.date >= 1 &&
         info.date <= 31 && info.start_hour >= 0 && info.start_hour <= 47 && info.start_min >= 0 &&
         info.end_hour >= 0 && info.end_hour <= 47 && info.end_min >= 0;
}

bool CheckAndNormalise(ProgramInfo& info, const fw::CalendarTime& today) {
  if (info.version != 1 && info.version != 2) return false;
  if (info.station.empty()) return false;
  if (info.start_hour == ProgramInfo::kNoHour || info.end_hour == ProgramInfo::kNoHour) return false;

  if (info.year == 0) info.year = today.year;
  if (info.month == 0) info.month = today.month;
  if (info.date == 0) info.date = today.day;
  if (!DateAndTimesCanBeBuilt(info)) return false;

  info.start_min = std::min(info.start_min, 59);
  if (info.start_hour > 23) {
    info.start_hour -= 24;
    if (!MoveStartDateToNextDay(info)) return false;
  }
  info.end_min = std::min(info.end_min, 59);
  if (info.end_hour > 23) info.end_hour -= 24;

  // The calendar and the pickers are set through the C library; a start it
  // cannot convert (before 1970, on some systems) would leave the form as it
  // was and still let an automatic registration go ahead.
  if (!SecondsFromLocalTime({info.year, info.month, 0, info.date, info.start_hour, info.start_min, 0})) return false;

  const int minutes = info.extend % 60 + info.end_min;
  const int hours = info.end_hour + info.extend / 60 + minutes / 60;
  info.ext_end_hour = hours % 24;
  info.ext_end_min = minutes % 60;
  // A negative extension that reaches back before midnight has no time of day.
  return info.ext_end_hour >= 0 && info.ext_end_min >= 0;
}

// Takes a reservation line piece by line piece: the content type, the
// header keys up to the first empty line, then the description.
class ReservationLines {
 public:
  ReservationLines(ProgramInfo& info, ReservationForm& form) : info_(info), form_(form) {}

  bool Take(std::u16string_view piece) {
    switch (part_) {
      case Part::ContentType:
        part_ = IsContentTypeLine(piece) ? Part::Header : Part::Rejected;
        return part_ == Part::Header;
      case Part::Header:
        if (piece == u"\n") {
          part_ = Part::Description;
        } else {
          if (!piece.empty() && piece.back() == u'\n') piece.remove_suffix(1);
          ReadHeaderLine(piece, info_, form_, task_file_);
        }
        return true;
      case Part::Description:
        AppendDescription(info_, piece);
        // Nothing after a full description can change the reservation.
        return info_.description.size() < ProgramInfo::kMaxDescription;
      case Part::Rejected:
        break;
    }
    return false;
  }
  bool has_content_type() const { return part_ != Part::ContentType && part_ != Part::Rejected; }
  // Each "TASKNAME: " line undoes the one before it, so only the last one
  // is looked up, once, however many the file repeats.
  void ApplyTaskName(const IepgReadContext& context) {
    if (task_file_) ReadTaskName(*task_file_, info_, form_, context);
  }

 private:
  enum class Part { ContentType, Header, Description, Rejected };
  ProgramInfo& info_;
  ReservationForm& form_;
  std::optional<std::u16string> task_file_;
  Part part_ = Part::ContentType;
};

// `feed` hands the reservation's pieces to a handler; false when the file
// could not be read.
template <class Feed>
bool ReadReservation(Feed feed, ProgramInfo& info, ReservationForm& form, const IepgReadContext& context) {
  info = ProgramInfo{};
  SetJapaneseCharacterLocale();
  ReservationLines lines(info, form);
  const bool read = feed([&lines](std::u16string_view piece) { return lines.Take(piece); });
  lines.ApplyTaskName(context);
  return read && lines.has_content_type() && CheckAndNormalise(info, context.today);
}

}  // namespace

bool IsTunerIdText(std::u16string_view text) {
  // [+-]digits[.digits][(e|E)[+-]digits], as the recorder reads a number.
  std::size_t at = 0;
  const auto digits = [&text, &at] {
    const std::size_t first = at;
    while (at < text.size() && text[at] >= u'0' && text[at] <= u'9') ++at;
    return at > first;
  };
  if (text.empty() || text.size() > kMaxTunerIdText) return false;
  if (text[at] == u'+' || text[at] == u'-') ++at;
  if (!digits()) return false;
  if (at < text.size() && text[at] == u'.') {
    ++at;
    if (!digits()) return false;
  }
  if (at < text.size() && (text[at] == u'e' || text[at] == u'E')) {
    ++at;
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-')) ++at;
    if (!digits()) return false;
  }
  return at == text.size();
}

bool IsChannelText(std::u16string_view text) {
  return text.size() <= kMaxChannelText && std::all_of(text.begin(), text.end(), [](char16_t c) {
           return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'-' ||
                  c == u'_';
         });
}

bool ReadIepgText(std::u16string_view text, ProgramInfo& info, ReservationForm& form, const IepgReadContext& context) {
  return ReadReservation(
      [text](const LinePieceHandler& handler) {
        ForEachLinePiece(text, handler);
        return true;
      },
      info, form, context);
}

bool ReadIepgFile(std::u16string_view path, ProgramInfo& info, ReservationForm& form, const IepgReadContext& context) {
  return ReadReservation([path](const LinePieceHandler& handler) { return ReadLinePieces(path, handler); }, info, form,
                         context);
}
