// The Register button: the form becomes a stored work item.
#include <algorithm>

#include "dialog/halvorn2_dlg.h"
#include "platform/local_time.h"
#include "reservations/tuners/planned_collisions.h"
#include "reservations/checks/recording_needs.h"
#include "reservations/views/reservation_list.h"
#include "resource.h"
#include "scheduler/registration.h"
#include "scheduler/work_item_name.h"

std::int64_t CHalvorn2Dlg::NowMinute() {
  const auto now = LocalTimeFromSeconds(services_.Now());
  return now ? ToLocalMinute(*now) : 0;
}

void CHalvorn2Dlg::OnRegister() {
  UpdateData(true);
  RegistrationStart start;
  start.date = window().Calendar(IDC_START_DATE).GetCurSel();
  const fw::CalendarTime start_time = window().DateTime(IDC_START_TIME).GetTime();
  start.hour = start_time.hour;
  start.minute = start_time.minute;

  if (!ConfirmRegistration(start)) return;
  ReplacementRules rules;
  rules.runs_a_recorder = [recorders = RecorderPathsOf(profiles, profile_count)](std::u16string_view application) {
    return RunsARecorder(application, recorders);
  };
  rules.credentials_changed = form.account != settled_account_ || form.pass != settled_pass_;
  if (const auto failure = RegisterWorkItem(form, start, task_scheduler_, rules)) {
    MessageBox(*failure);
    return;
  }
  if (form.registration_mode == RegistrationMode::Normal) MessageBox(kRegisteredMessage);
  if (form.autoclose != 0 || form.registration_mode == RegistrationMode::AutoRunning) CloseDialog();
}

bool CHalvorn2Dlg::ConfirmRegistration(const RegistrationStart& start) {
  // A form the registration refuses is reported by it, not asked about:
  // the question comes only when the answer can matter.
  if (CheckRegistrationForm(form) || HasForbiddenName(form)) return true;
  const auto trigger = RegistrationTrigger(form, start);
  if (!trigger) return true;
  // A Task Scheduler that cannot be read never stands in the way of the
  // question about the recorder and the folder, only of the collisions.
  std::vector<StoredWorkItem> stored;
  const auto system_root = services_.Environment(u"SystemRoot");
  const WorkItemFileAccess files{system_root ? *system_root + u"\\Tasks" : u"",
                                 BesideExecutable(kWorkItemCacheFileName), services_.Now()};
  const bool stored_read = !Failed(ReadStoredWorkItems(task_scheduler_, stored, files));
  const std::u16string working_name = WorkingName(form);
  const auto same_name = std::find_if(stored.begin(), stored.end(), [&](const StoredWorkItem& item) {
    return SameWorkItemName(item.name, working_name);
  });
  // A registration refused over the stored item of its name, as its
  // duplicate or as another program's, asks nothing first.
  if (same_name != stored.end() &&
      !ReplacesStoredItem(form, RunsARecorder(same_name->application, RecorderPathsOf(profiles, profile_count)))) {
    return true;
  }
  const PlannedReservation planned{working_name, *trigger, form.parameters.str(), RegistrationFlags(form),
                                   form.application_name.str()};
  const std::u16string missing = MissingNeedLines(
      form.registration_name, MissingNeeds(planned.application, ReadRecorderParameters(planned.parameters).output_path,
                                           services_.FileSystem()));
  const auto collisions =
      stored_read ? FindPlannedCollisions(planned, stored, RecorderPathsOf(profiles, profile_count), NowMinute())
                  : std::vector<PlannedCollision>();
  if (collisions.empty()) return missing.empty() || AskYesNo(missing + u"このまま登録しますか？");
  const auto free = FindFreeProfile(planned, stored, profiles, profile_count, NowMinute(), services_.FileSystem());
  if (!free) return AskYesNo(missing + CollisionQuestion(form.registration_name, collisions));
  // Another profile of the same recorder program has a tuner free then.
  const std::u16string profile = u"「" + free->title + u"」";
  const std::vector<std::u16string> buttons = {profile + u"で登録 (チューナー " + free->tuner + u")", u"このまま登録",
                                               u"登録しない"};
  switch (
      AskChoice(missing + CollisionQuestion(form.registration_name, collisions,
                                            profile + u"のチューナー " + free->tuner + u" はこの時間空いています。"),
                buttons)) {
    case 0:
      // The profile taken is asked about again as it now stands.
      TakeFreeProfile(free->profile);
      return ConfirmRegistration(start);
    case 1:
      return true;
    default:
      return false;
  }
}

void CHalvorn2Dlg::TakeFreeProfile(int profile) {
  // Within 編集 the free tuner is part of the edit: the reservation moves to
  // that profile's recorder, tuner, folder and switches and keeps its own
  // wake and delete-when-done, while the user's own tab and choices stay
  // as they were for the settings file.
  const std::optional<HandedBack> handed_back = handed_back_;
  SelectProfileTab(profile);
  if (!handed_back) return;
  handed_back_ = handed_back;
  StoreProfileValues(form, handed_back_->shown);
}
