#include "dialog/halvorn2_dlg.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "compose/c_numbers.h"
#include "compose/command_line.h"
#include "framework/platform.h"
#include "platform/local_time.h"
#include "resource.h"

using fw::EventKind;
using fw::On;
using fw::OnRange;

const fw::MessageMapEntry<CHalvorn2Dlg> CHalvorn2Dlg::kMessageMap[] = {
    On(EventKind::Paint, 0, &CHalvorn2Dlg::OnPaint),
    On(EventKind::QueryDragIcon, 0, &CHalvorn2Dlg::OnQueryDragIcon),
    On(EventKind::Click, fw::kIdOk, &CHalvorn2Dlg::OnOkOrCancelKey),
    On(EventKind::Click, fw::kIdCancel, &CHalvorn2Dlg::OnOkOrCancelKey),
    On(EventKind::Close, 0, &CHalvorn2Dlg::OnClose),
    On(EventKind::Click, IDC_POWER_ON, &CHalvorn2Dlg::OnFormChange),
    On(EventKind::Click, IDC_POWER_OFF, &CHalvorn2Dlg::OnFormChange),
    On(EventKind::Click, IDC_BCS, &CHalvorn2Dlg::OnFormChange),
    On(EventKind::Click, IDC_B25, &CHalvorn2Dlg::OnFormChange),
    On(EventKind::Click, IDC_SEL, &CHalvorn2Dlg::OnFormChange),
    On(EventKind::Click, IDC_SUS, &CHalvorn2Dlg::OnFormChange),
    On(EventKind::Click, IDC_VLC, &CHalvorn2Dlg::OnFormChange),
    On(EventKind::Click, IDC_RMC, &CHalvorn2Dlg::OnFormChange),
    On(EventKind::Click, IDC_DELETE_SAME_NAME, &CHalvorn2Dlg::OnFormChange),
    On(EventKind::TextChange, IDC_CAP_STS_PATH, &CHalvorn2Dlg::OnFormChange),
    On(EventKind::TextChange, IDC_FOLDER, &CHalvorn2Dlg::OnFormChange),
    On(EventKind::TextChange, IDC_FILE_NAME, &CHalvorn2Dlg::OnFormChange),
    On(EventKind::TextChange, IDC_FILEEXT, &CHalvorn2Dlg::OnFormChange),
    On(EventKind::TextChange, IDC_CHANNEL, &CHalvorn2Dlg::OnFormChange),
    On(EventKind::TextChange, IDC_ID, &CHalvorn2Dlg::OnFormChange),
    On(EventKind::DateTimeChange, IDC_START_TIME, &CHalvorn2Dlg::OnTimeChange),
    On(EventKind::DateTimeChange, IDC_END_TIME, &CHalvorn2Dlg::OnTimeChange),
    On(EventKind::Click, IDC_EXTEND, &CHalvorn2Dlg::OnExtend),
    On(EventKind::DeltaPos, IDC_ID_SPIN, &CHalvorn2Dlg::OnIdSpin),
    On(EventKind::CloseUp, IDC_ENCODER_PRESETS, &CHalvorn2Dlg::OnEncoderCloseUp),
    OnRange(EventKind::Click, IDC_SUNDAY, IDC_SATURDAY, &CHalvorn2Dlg::OnWeekdayClicked),
};

std::span<const fw::MessageMapEntry<CHalvorn2Dlg>> CHalvorn2Dlg::MessageMap() { return kMessageMap; }

namespace {

// The check boxes of the eight profile flags, in the flags' order.
constexpr int kFlagBoxes[kProfileFlagCount] = {IDC_POWER_ON, IDC_POWER_OFF, IDC_BCS, IDC_B25,
                                               IDC_SEL,      IDC_SUS,       IDC_VLC, IDC_RMC};

ClockTime ClockOf(const fw::CalendarTime& time) { return {time.hour, time.minute}; }

}  // namespace

CHalvorn2Dlg::CHalvorn2Dlg() : fw::Dialog(IDD_HALVORN2_DIALOG), icon_(fw::CurrentPlatform().LoadIcon(IDR_MAINFRAME)) {}

bool CHalvorn2Dlg::DispatchEvent(EventKind kind, int id, fw::Notification& notification) {
  return fw::DispatchByMap<CHalvorn2Dlg>(MessageMap(), *this, kind, id, notification);
}

void CHalvorn2Dlg::DoDataExchange(fw::DataExchange& dx) {
  fw::Dialog::DoDataExchange(dx);
  fw::DDX_Text(dx, IDC_CAP_STS_PATH, form.cap_sts_path);
  fw::DDX_Text(dx, IDC_FOLDER, form.folder);
  fw::DDX_Text(dx, IDC_FILE_NAME, form.file_name);
  fw::DDX_Text(dx, IDC_FILEEXT, form.fileext);
  fw::DDX_Text(dx, IDC_CHANNEL, form.channel);
  fw::DDX_Text(dx, IDC_ID, form.id);
  fw::DDX_Text(dx, IDC_COMMAND_PREVIEW, form.command_preview);
  for (int flag = 0; flag < kProfileFlagCount; ++flag) fw::DDX_Check(dx, kFlagBoxes[flag], form.flags[flag]);
  fw::DDX_Check(dx, IDC_SUBTITLE, form.subtitle);
  fw::DDX_Check(dx, IDC_EXTEND, form.extend);
  fw::DDX_Check(dx, IDC_PARENTHESES, form.parentheses);
  fw::DDX_Text(dx, IDC_REGISTRATION_NAME, form.registration_name);
  fw::DDX_Radio(dx, IDC_REPEAT_ONCE, form.repeat);
  fw::DDX_Text(dx, IDC_ACCOUNT, form.account);
  fw::DDX_Text(dx, IDC_PASS, form.pass);
  fw::DDX_Text(dx, IDC_PASS_CONFIRM, form.pass_confirm);
  fw::DDX_Check(dx, IDC_DEL_TASK, form.del_task);
  fw::DDX_Check(dx, IDC_RESUME, form.resume);
  fw::DDX_Check(dx, IDC_AUTOCLOSE, form.autoclose);
  fw::DDX_Check(dx, IDC_DELETE_SAME_NAME, form.delete_same_name);
  for (int day = 0; day < 7; ++day) fw::DDX_Check(dx, IDC_SUNDAY + day, form.weekdays[static_cast<size_t>(day)]);
}

bool CHalvorn2Dlg::OnInitDialog() {
  fw::Dialog::OnInitDialog();
  window().SetIcon(icon_, true);
  window().SetIcon(icon_, false);

  // One profile from the form's own starting values.
  profile_count = 1;
  profiles[0] = RecordingProfile{};
  profiles[0].title = u"default";
  StoreProfileValues(form, profiles[0]);
  window().Tab(IDC_PROFILE_TABS).InsertItem(0, profiles[0].title);
  window().Tab(IDC_PROFILE_TABS).SetCurSel(0);
  LoadProfile(SelectedProfile());

  window().DateTime(IDC_START_TIME).SetFormat(u"HH:mm");
  window().DateTime(IDC_END_TIME).SetFormat(u"HH:mm");
  const auto end_time = SecondsFromLocalTime(window().DateTime(IDC_END_TIME).GetTime());
  form.end_times = {end_time.value_or(0), end_time.value_or(0)};
  MarkStartWeekday();
  form.registration_mode = RegistrationMode::Normal;

  ComposeCommandLine();
  return true;
}

int CHalvorn2Dlg::SelectedProfile() { return window().Tab(IDC_PROFILE_TABS).GetCurSel(); }

void CHalvorn2Dlg::StoreProfile() {
  const int selected = SelectedProfile();
  if (selected < 0 || selected >= kProfileSlots) return;
  StoreProfileValues(form, profiles[static_cast<size_t>(selected)]);
}

void CHalvorn2Dlg::LoadProfile(int index) {
  if (index < 0 || index >= profile_count) return;
  LoadProfileValues(profiles[static_cast<size_t>(index)], form);
}

void CHalvorn2Dlg::ComposeCommandLine() {
  ComposeRecorderCommand(form, ClockOf(window().DateTime(IDC_START_TIME).GetTime()),
                         ClockOf(window().DateTime(IDC_END_TIME).GetTime()));
  UpdateData(false);
}

void CHalvorn2Dlg::MarkStartWeekday() {
  std::fill_n(form.weekdays.begin(), 7, 0);
  form.start_weekday = window().Calendar(IDC_START_DATE).GetCurSel().day_of_week;
  form.weekdays[static_cast<size_t>(form.start_weekday)] = 1;
}

void CHalvorn2Dlg::ShowEndTime() {
  const auto end = LocalTimeFromSeconds(form.end_times[form.extend != 0 ? 1 : 0]);
  if (end) window().DateTime(IDC_END_TIME).SetTime(*end);
}

void CHalvorn2Dlg::OnPaint(fw::Notification& notification) {
  if (!window().IsIconic()) {
    notification.pass_to_default = true;
    return;
  }
  const auto paint = window().BeginPaint();
  paint->EraseIconBackground();
  const fw::Size client = window().ClientSize();
  const fw::Size icon_size = window().SystemIconSize();
  paint->DrawIcon(icon_, (client.width - icon_size.width + 1) / 2, (client.height - icon_size.height + 1) / 2);
}

void CHalvorn2Dlg::OnQueryDragIcon(fw::Notification& notification) {
  notification.result = static_cast<std::intptr_t>(icon_.handle);
}

void CHalvorn2Dlg::OnClose(fw::Notification& notification) {
  EndDialog(0);
  notification.pass_to_default = true;
}

void CHalvorn2Dlg::OnFormChange() {
  UpdateData(true);
  fw::ComboBox& presets = window().Combo(IDC_ENCODER_PRESETS);
  const int preset = presets.GetCurSel();
  if (preset >= 0) form.vlc_parm = presets.GetLBText(preset);
  StoreProfile();
  ComposeCommandLine();
}

void CHalvorn2Dlg::OnWeekdayClicked() {
  UpdateData(true);
  // The start date's own weekday cannot be switched off.
  if (form.start_weekday >= 0) form.weekdays[static_cast<size_t>(form.start_weekday)] = 1;
  UpdateData(false);
}

void CHalvorn2Dlg::OnTimeChange(fw::Notification& notification) {
  UpdateData(true);
  ComposeCommandLine();
  notification.result = 0;
}

void CHalvorn2Dlg::OnIdSpin(fw::Notification& notification) {
  UpdateData(true);
  ComposeCommandLine();
  // The spin has no buddy and no range of its own: the tuner ID is always one
  // digit, stepped from whatever the edit holds.
  double value = form.id.empty() ? -1.0 : std::trunc(ReadDecimal(form.id));
  if (std::isnan(value)) value = 0.0;
  value = std::clamp(value + notification.delta, 0.0, 9.0);
  form.id = std::u16string(1, static_cast<char16_t>(u'0' + static_cast<int>(value)));
  UpdateData(false);
  ComposeCommandLine();
  notification.result = 0;
}

void CHalvorn2Dlg::OnExtend() {
  UpdateData(true);
  ComposeCommandLine();
  ShowEndTime();
  UpdateData(false);
  ComposeCommandLine();
}

void CHalvorn2Dlg::OnEncoderCloseUp() {
  OnFormChange();
  OnExtend();
}
