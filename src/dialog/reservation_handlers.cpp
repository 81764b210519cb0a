// Reservations from iEPG files, the channel table, and the two name
// switches that shape titles into file and registration names.
#include <algorithm>
#include <string>

#include "compose/title_cleanup.h"
#include "dialog/halvorn2_dlg.h"
#include "iepg/iepg_reader.h"
#include "iepg/station_lookup.h"
#include "platform/local_time.h"
#include "reservations/edit/carried_reservation.h"
#include "reservations/views/reservation_list.h"
#include "resource.h"

namespace {

constexpr std::u16string_view kStationNotInTable =
    u"チャンネル設定ファイルに無いチャンネルです。\r\n手動でチャンネルコマンドを入力してください。";

using namespace std::string_view_literals;

// Description and pattern pairs, each ending in a NUL.
constexpr std::u16string_view kIepgFilter = u"iEPGファイル\0*.tvpid;*.tvpi;*.php;*.php3\0全てのファイル\0*.*\0"sv;

constexpr std::size_t kMaxArgumentPath = 255;

// A time of day on a given date, normalised by the C library the way the
// calendar and the pickers will show it.
std::optional<fw::CalendarTime> LocalTimeOn(int year, int month, int day, int hour, int minute) {
  const auto seconds = SecondsFromLocalTime({year, month, 0, day, hour, minute, 0});
  if (!seconds) return std::nullopt;
  return LocalTimeFromSeconds(*seconds);
}

}  // namespace

void CHalvorn2Dlg::LoadChannelTable() { LoadChannelTableFile(BesideExecutable(u"channel.txt"), channel_table); }

void CHalvorn2Dlg::FillChannelList() {
  fw::ListBox& list = window().List(IDC_CHANNEL_LIST);
  for (int i = 0; i < channel_table.count; ++i) list.AddString(channel_table.rows[static_cast<size_t>(i)].name);
  SelectChannelRow();
}

void CHalvorn2Dlg::SelectChannelRow() {
  int selected = -1;
  for (int i = 0; i < channel_table.count; ++i) {
    if (channel_table.rows[static_cast<size_t>(i)].command.view().find(form.channel) != std::u16string_view::npos) {
      selected = i;
    }
  }
  window().List(IDC_CHANNEL_LIST).SetCurSel(selected);
}

void CHalvorn2Dlg::OnChannelSelChange() {
  UpdateData(true);
  const int selected = window().List(IDC_CHANNEL_LIST).GetCurSel();
  if (selected >= 0 && selected < channel_table.count) {
    form.channel = channel_table.rows[static_cast<size_t>(selected)].command.str();
  }
  ComposeCommandLine();
}

bool CHalvorn2Dlg::ReadIepgFile(std::u16string_view path, ProgramInfo& info) {
  IepgReadContext context;
  context.today = LocalTimeFromSeconds(services_.Now()).value_or(fw::CalendarTime{1970, 1, 4, 1, 0, 0, 0});
  context.system_root = services_.Environment(u"SystemRoot");
  // What the file writes into the form, to be undone where it names
  // another program's work item.
  const ReservationForm before = form;
  const bool accepted = ::ReadIepgFile(path, info, form, context);
  // A file from a web page may name any work item; only a recording
  // reservation is ever replaced, never another program's work item.
  const bool names_a_foreign_item =
      info.named_item_unreadable ||
      (info.named_item && !RunsARecorder(info.named_item->application_name, RecorderPathsOf(profiles, profile_count)));
  if (!names_a_foreign_item) return accepted;
  form = before;
  MessageBox(u"「" + info.task_name.str() + u"」は録画予約のタスクではありません。\r\n" +
             u"置き換えられないため、予約ファイルを読み込みませんでした。");
  return false;
}

int CHalvorn2Dlg::StartDateWeekday() {
  const fw::CalendarTime date = window().Calendar(IDC_START_DATE).GetCurSel();
  const auto noon = LocalTimeOn(date.year, date.month, date.day, 12, 0);
  return noon ? noon->day_of_week : date.day_of_week;
}

void CHalvorn2Dlg::MarkStartWeekday() {
  std::fill_n(form.weekdays.begin(), 7, 0);
  form.start_weekday = StartDateWeekday();
  form.weekdays[static_cast<size_t>(form.start_weekday)] = 1;
}

void CHalvorn2Dlg::OnStartDateSelect() {
  UpdateData(true);
  ComposeCommandLine();
  // A picked date adds its weekday to those already ticked.
  form.start_weekday = StartDateWeekday();
  form.weekdays[static_cast<size_t>(form.start_weekday)] = 1;
  ComposeCommandLine();
}

void CHalvorn2Dlg::ApplyProgramInfo(const ProgramInfo& info) {
  const auto start = LocalTimeOn(info.year, info.month, info.date, info.start_hour, info.start_min);
  if (!start) return;
  window().Calendar(IDC_START_DATE).SetCurSel(*start);
  MarkStartWeekday();
  window().DateTime(IDC_START_TIME).SetTime(*start);

  const auto reserved_end =
      SecondsFromLocalTime({start->year, start->month, 0, start->day, info.end_hour, info.end_min, 0});
  const auto extended_end =
      SecondsFromLocalTime({start->year, start->month, 0, start->day, info.ext_end_hour, info.ext_end_min, 0});
  if (!reserved_end || !extended_end) return;
  form.end_times = {*reserved_end, *extended_end};
  ShowEndTime();

  form.name_without_subtitle = info.program_title.str();
  form.name_with_subtitle = info.program_subtitle.empty()
                                ? form.name_without_subtitle
                                : info.program_title.str() + u"-" + info.program_subtitle.str();
  form.file_name = form.subtitle != 0 ? form.name_with_subtitle : form.name_without_subtitle;
  form.registration_name = info.task_name.empty() ? info.program_title.str() : info.task_name.str();
  if (form.parentheses != 0) {
    CleanTitle(form.file_name);
    CleanTitle(form.registration_name);
  }

  if (info.trigger_days != 0) {
    int days = info.trigger_days;
    // Registration moved the days one back when the start lead crossed
    // midnight; move them forward again, Saturday wrapping to Sunday.
    if (info.start_hour == 0 && info.start_min < form.offset_min) {
      days <<= 1;
      if ((days & 0x80) != 0) days += 1;
    }
    for (int day = 0; day < 7; ++day) form.weekdays[static_cast<size_t>(day)] = (days >> day) & 1;
  }

  form.kept.reset();
  if (info.named_item) {
    const std::u16string file_tuner = form.id;
    CarryStoredItem(StoredWorkItemOf(*info.named_item, info.task_name.str()));
    // A tuner the file names is its own field, and wins over the stored one.
    if (info.tuner_given) form.id = file_tuner;
  }

  if (info.channel) {
    form.channel = *info.channel;
    SelectChannelRow();
  } else if (const int row = LookUpStation(channel_table, info.station, info.station_name); row >= 0) {
    form.channel = channel_table.rows[static_cast<size_t>(row)].command.str();
    window().List(IDC_CHANNEL_LIST).SetCurSel(row);
  } else {
    form.channel.clear();
    window().List(IDC_CHANNEL_LIST).SetCurSel(-1);
    MessageBox(kStationNotInTable);
  }
  ComposeCommandLine();
}

void CHalvorn2Dlg::CarryStoredItem(const StoredWorkItem& item) {
  const CarryOutcome outcome = CarryThroughForm(item, profiles, profile_count);
  if (!outcome.carried) return;
  const CarriedReservation& carried = *outcome.carried;
  // What the user had chosen before any reservation was handed back.
  HandedBack handed_back = handed_back_.value_or(HandedBack{{}, SelectedProfile(), form.del_task, form.resume, 0, 0});
  if (carried.profile != SelectedProfile()) {
    window().Tab(IDC_PROFILE_TABS).SetCurSel(carried.profile);
    LoadProfile(carried.profile);
  }
  ApplyCarried(carried, form);
  StoreProfileValues(form, handed_back.shown);
  handed_back.shown_del_task = form.del_task;
  handed_back.shown_resume = form.resume;
  handed_back_ = handed_back;
  // Left on the profile's preset, the list would hand it to the form at the
  // next change.
  SelectEncoderPreset();
}

void CHalvorn2Dlg::OnOpenIepgFile() {
  OpenFileRequest request;
  request.filter = std::u16string(kIepgFilter);
  const auto path = services_.ChooseFileToOpen(request);
  if (!path) return;
  ProgramInfo info;
  if (!ReadIepgFile(*path, info)) return;
  ApplyProgramInfo(info);
}

// The reservation file named on the command line, quoted or bare.
void CHalvorn2Dlg::ReadFileArgument(std::u16string_view argument) {
  if (argument.empty()) return;
  std::u16string_view path = argument;
  if (argument.front() == u'"') path = argument.substr(1, argument.size() >= 2 ? argument.size() - 2 : 0);
  path = path.substr(0, kMaxArgumentPath);
  ProgramInfo info;
  if (ReadIepgFile(path, info)) {
    ApplyProgramInfo(info);
  } else {
    form.registration_mode = RegistrationMode::Normal;
  }
}

void CHalvorn2Dlg::OnParentheses() {
  UpdateData(true);
  ComposeCommandLine();
  if (form.parentheses != 0) {
    CleanTitle(form.file_name);
    CleanTitle(form.registration_name);
  }
  ComposeCommandLine();
}

void CHalvorn2Dlg::OnSubtitle() {
  if (form.name_with_subtitle.empty()) return;
  UpdateData(true);
  ComposeCommandLine();
  form.file_name = form.subtitle != 0 ? form.name_with_subtitle : form.name_without_subtitle;
  if (form.parentheses != 0) CleanTitle(form.file_name);
  ComposeCommandLine();
}
