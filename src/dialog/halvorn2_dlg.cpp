#include "dialog/halvorn2_dlg.h"

#include <string>

#include "compose/command_line.h"
#include "framework/platform.h"
#include "platform/executable_folder.h"
#include "platform/local_time.h"
#include "resource.h"
#include "settings/settings_file.h"

using fw::EventKind;
using fw::On;
using fw::OnRange;

// In the order of each handler's first row.
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
    On(EventKind::Click, IDC_BROWSE_RECORDER, &CHalvorn2Dlg::OnBrowseRecorder),
    On(EventKind::Click, IDC_BROWSE_FOLDER, &CHalvorn2Dlg::OnBrowseFolder),
    On(EventKind::Click, IDC_REGISTER, &CHalvorn2Dlg::OnRegister),
    On(EventKind::Click, IDC_OPEN_IEPG, &CHalvorn2Dlg::OnOpenIepgFile),
    On(EventKind::Click, IDC_EXTEND, &CHalvorn2Dlg::OnExtend),
    On(EventKind::DeltaPos, IDC_ID_SPIN, &CHalvorn2Dlg::OnIdSpin),
    On(EventKind::SelChange, IDC_CHANNEL_LIST, &CHalvorn2Dlg::OnChannelSelChange),
    On(EventKind::SelChanging, IDC_PROFILE_TABS, &CHalvorn2Dlg::OnTabChanging),
    On(EventKind::SelChange, IDC_PROFILE_TABS, &CHalvorn2Dlg::OnTabChange),
    On(EventKind::Click, IDC_ADD_PROFILE, &CHalvorn2Dlg::OnAddProfile),
    On(EventKind::Click, IDC_DELETE_PROFILE, &CHalvorn2Dlg::OnDeleteProfile),
    On(EventKind::Click, IDC_TASK_VIEWER, &CHalvorn2Dlg::OnTaskViewer),
    On(EventKind::Click, IDC_SUBTITLE, &CHalvorn2Dlg::OnSubtitle),
    On(EventKind::Click, IDC_PARENTHESES, &CHalvorn2Dlg::OnParentheses),
    On(EventKind::CloseUp, IDC_ENCODER_PRESETS, &CHalvorn2Dlg::OnEncoderCloseUp),
    On(EventKind::DateSelect, IDC_START_DATE, &CHalvorn2Dlg::OnStartDateSelect),
    OnRange(EventKind::Click, IDC_SUNDAY, IDC_SATURDAY, &CHalvorn2Dlg::OnWeekdayClicked),
};

std::span<const fw::MessageMapEntry<CHalvorn2Dlg>> CHalvorn2Dlg::MessageMap() { return kMessageMap; }

namespace {

// The check boxes of the eight profile flags, in the flags' order.
constexpr int kFlagBoxes[kProfileFlagCount] = {IDC_POWER_ON, IDC_POWER_OFF, IDC_BCS, IDC_B25,
                                               IDC_SEL,      IDC_SUS,       IDC_VLC, IDC_RMC};

ClockTime ClockOf(const fw::CalendarTime& time) { return {time.hour, time.minute}; }

}  // namespace

CHalvorn2Dlg::CHalvorn2Dlg(Services& services, TaskSchedulerPlatform& task_scheduler)
    : fw::Dialog(IDD_HALVORN2_DIALOG),
      services_(services),
      task_scheduler_(task_scheduler),
      icon_(fw::CurrentPlatform().LoadIcon(IDR_MAINFRAME)) {}

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
  LoadChannelTable();
  FillChannelList();
  LoadSettings();
  // The list was filled before the saved channel was known.
  SelectChannelRow();
  LoadProfile(SelectedProfile());

  window().Calendar(IDC_START_DATE).ShowWholeMonth();
  window().DateTime(IDC_START_TIME).SetFormat(u"HH:mm");
  window().DateTime(IDC_END_TIME).SetFormat(u"HH:mm");
  const auto end_time = SecondsFromLocalTime(window().DateTime(IDC_END_TIME).GetTime());
  form.end_times = {end_time.value_or(0), end_time.value_or(0)};
  MarkStartWeekday();
  ProcessCommandLine();
  LoadEncoderPresets();
  SelectEncoderPreset();
  ComposeCommandLine();
  return true;
}

int CHalvorn2Dlg::SelectedProfile() { return window().Tab(IDC_PROFILE_TABS).GetCurSel(); }

void CHalvorn2Dlg::StoreProfile() {
  const int selected = SelectedProfile();
  if (selected < 0 || selected >= kProfileSlots) return;
  RecordingProfile& profile = profiles[static_cast<size_t>(selected)];
  if (!handed_back_) {
    StoreProfileValues(form, profile);
    return;
  }
  // The form shows a handed-back reservation's values: the profile takes
  // only what the user has changed since.
  RecordingProfile shown;
  StoreProfileValues(form, shown);
  StoreChangedProfileValues(handed_back_->shown, shown, profile);
  handed_back_->shown = shown;
}

void CHalvorn2Dlg::LoadProfile(int index) {
  if (index < 0 || index >= profile_count) return;
  LoadProfileValues(profiles[static_cast<size_t>(index)], form);
  handed_back_.reset();
}

void CHalvorn2Dlg::ComposeCommandLine() {
  ComposeRecorderCommand(form, ClockOf(window().DateTime(IDC_START_TIME).GetTime()),
                         ClockOf(window().DateTime(IDC_END_TIME).GetTime()));
  UpdateData(false);
}

void CHalvorn2Dlg::ShowEndTime() {
  const auto end = LocalTimeFromSeconds(form.end_times[form.extend != 0 ? 1 : 0]);
  if (end) window().DateTime(IDC_END_TIME).SetTime(*end);
}

void CHalvorn2Dlg::OnPaint() {
  {
    // A dialog paints nothing but its background, which beginning the paint
    // erases; a minimized one shows the icon.
    const auto paint = window().BeginPaint();
    if (window().IsIconic()) {
      paint->EraseIconBackground();
      const fw::Size client = window().ClientSize();
      const fw::Size icon_size = window().SystemIconSize();
      paint->DrawIcon(icon_, (client.width - icon_size.width + 1) / 2, (client.height - icon_size.height + 1) / 2);
    }
  }
  // The automatic registration runs once, at the first paint after the
  // reservation has been applied. The mode changes first, so that paints
  // while a message box is open do not start it again.
  if (form.registration_mode == RegistrationMode::AutoPending) {
    form.registration_mode = RegistrationMode::AutoRunning;
    OnRegister();
  }
}

void CHalvorn2Dlg::OnQueryDragIcon(fw::Notification& notification) {
  notification.result = static_cast<std::intptr_t>(icon_.handle);
}

void CHalvorn2Dlg::OnClose(fw::Notification& notification) {
  CloseDialog();
  notification.pass_to_default = true;
}

void CHalvorn2Dlg::CloseDialog() {
  UpdateData(true);
  const auto failure = SaveSettings();
  // Settings that are lost must not be lost in silence, but an unattended
  // registration never waits for a click.
  const bool unattended = form.registration_mode == RegistrationMode::AutoPending ||
                          form.registration_mode == RegistrationMode::AutoRunning;
  if (failure && !unattended) {
    Warn(u"設定を保存できませんでした。\r\n" + BesideExecutable(kSettingsFileName) + u"\r\n" + *failure);
  }
  EndDialog(0);
}

std::u16string CHalvorn2Dlg::BesideExecutable(std::u16string_view file_name) {
  return FileBesideExecutable(services_.ExecutablePath(), file_name);
}
