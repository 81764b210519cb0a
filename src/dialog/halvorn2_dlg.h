#pragma once

#include <optional>
#include <span>
#include <string>

#include "framework/dialog.h"
#include "framework/message_map.h"
#include "iepg/channel_table.h"
#include "iepg/program_info.h"
#include "model/recording_profile.h"
#include "model/reservation_form.h"
#include "platform/services.h"
#include "scheduler/task_scheduler.h"

struct RegistrationStart;
struct StoredWorkItem;

// The main dialog, "Halvorn Ver 2.3": it owns the reservation form, the
// recorder profiles and the channel table for the life of the run.
class CHalvorn2Dlg : public fw::Dialog {
 public:
  CHalvorn2Dlg(Services& services, TaskSchedulerPlatform& task_scheduler);
  ~CHalvorn2Dlg() override = default;

  // The application's command line after the program name. The dialog reads
  // it once at start-up and never changes it.
  const std::u16string* command_line = nullptr;

  ReservationForm form;
  ProfileArray profiles{};
  int profile_count = 0;
  ChannelTable channel_table;

  // Copies the form's profile values into the profile of the selected tab.
  void StoreProfile();
  // Copies profile `index` into the form; an index outside the set does nothing.
  void LoadProfile(int index);
  // Recomposes the recorder command from the form and the time pickers, and
  // shows the form.
  void ComposeCommandLine();

  // Reads a reservation file; false when it is no acceptable reservation.
  bool ReadIepgFile(std::u16string_view path, ProgramInfo& info);
  // Puts an accepted reservation into the form and the date and time controls.
  void ApplyProgramInfo(const ProgramInfo& info);

  // The settings file beside the executable: read once at start-up (with the
  // profile tabs), written once at close. Saving answers the platform's words
  // for a write that failed, or nothing.
  void LoadSettings();
  std::optional<std::u16string> SaveSettings();

 protected:
  void DoDataExchange(fw::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool DispatchEvent(fw::EventKind kind, int id, fw::Notification& notification) override;

 private:
  void OnPaint();
  void OnQueryDragIcon(fw::Notification& notification);
  // Enter and Esc arrive as the OK and Cancel commands; the dialog has no
  // such buttons and must not close on a stray key press.
  void OnOkOrCancelKey() {}
  void OnClose(fw::Notification& notification);

  // The form's own controls.
  void OnFormChange();
  void OnWeekdayClicked();
  void OnTimeChange();
  void OnIdSpin(fw::Notification& notification);
  void OnExtend();
  void OnEncoderCloseUp();

  // Reservations and channels.
  void OnOpenIepgFile();
  void OnStartDateSelect();
  void OnChannelSelChange();
  void OnParentheses();
  void OnSubtitle();
  void LoadChannelTable();
  void FillChannelList();
  void ReadFileArgument(std::u16string_view argument);
  // Puts what the replaced work item had into the form, where it can come
  // back through the form unchanged.
  void CarryStoredItem(const StoredWorkItem& item);

  // Registration.
  void OnRegister();
  // Asks before a reservation is stored whose recorder or output folder is
  // not there, or that needs a tuner another one has at that time; false
  // when the user says no.
  bool ConfirmRegistration(const RegistrationStart& start);
  // Takes the free tuner the question offered, as a click on its tab would.
  void TakeFreeProfile(int profile);
  // The local time as minutes since the epoch, from the platform's clock.
  std::int64_t NowMinute();
  void CloseDialog();
  void OnTaskViewer();

  // Profile tabs.
  void OnAddProfile();
  void OnDeleteProfile();
  void OnTabChanging(fw::Notification& notification);
  void OnTabChange();
  // Selects a profile's tab as a click on it would, and shows that
  // profile as it is stored.
  void SelectProfileTab(int index);

  // The browse buttons beside the recorder path and the output folder.
  void OnBrowseRecorder();
  void OnBrowseFolder();

  // Start-up.
  void ProcessCommandLine();
  void LoadEncoderPresets();
  // Moves the encoder list to the item that equals the form's encoder text,
  // else to the one the platform's prefix search finds, or to none.
  void SelectEncoderPreset();
  // The last channel row whose command holds the form's channel, or none.
  void SelectChannelRow();

  // The start date's weekday becomes the one ticked box, without touching
  // the controls.
  void MarkStartWeekday();
  int StartDateWeekday();
  int SelectedProfile();
  void ShowEndTime();
  std::u16string BesideExecutable(std::u16string_view file_name);

  // While a stored work item handed back is on the form: the profile values
  // it put there and the settings it put aside, so that only what the user
  // changes reaches the profiles and the settings file.
  struct HandedBack {
    RecordingProfile shown;
    int cursor = 0;
    int del_task = 0;
    int resume = 0;
    int shown_del_task = 0;
    int shown_resume = 0;
  };
  std::optional<HandedBack> handed_back_;

  // The account and the password as the settings file gave them: a stored
  // reservation changed in place is given credentials only where the user
  // typed others.
  std::u16string settled_account_;
  std::u16string settled_pass_;

  Services& services_;
  TaskSchedulerPlatform& task_scheduler_;
  fw::Icon icon_;

  static const fw::MessageMapEntry<CHalvorn2Dlg> kMessageMap[];
  static std::span<const fw::MessageMapEntry<CHalvorn2Dlg>> MessageMap();
};
