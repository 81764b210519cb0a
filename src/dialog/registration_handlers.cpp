// The Register button: the form becomes a stored work item.
#include <algorithm>

#include "dialog/halvorn2_dlg.h"
#include "platform/local_time.h"
#include "reservations/planned_collisions.h"
#include "reservations/recording_needs.h"
#include "reservations/reservation_list.h"
#include "resource.h"
#include "scheduler/registration.h"

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
  if (const auto failure = RegisterWorkItem(form, start, task_scheduler_)) {
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
  const bool refused_as_duplicate =
      stored_read && form.delete_same_name == 0 &&
      std::any_of(stored.begin(), stored.end(), [&](const StoredWorkItem& item) { return item.name == working_name; });
  if (refused_as_duplicate) return true;
  const PlannedReservation planned{working_name, *trigger, form.parameters.str(), RegistrationFlags(form),
                                   form.application_name.str()};
  const std::u16string missing = MissingNeedLines(
      form.registration_name, MissingNeeds(planned.application, ReadRecorderParameters(planned.parameters).output_path,
                                           services_.FileSystem()));
  const auto collisions =
      stored_read ? FindPlannedCollisions(planned, stored, RecorderPathsOf(profiles, profile_count), NowMinute())
                  : std::vector<PlannedCollision>();
  if (collisions.empty()) return missing.empty() || AskYesNo(missing + u"このまま登録しますか？");
  const std::u16string question = missing + CollisionQuestion(form.registration_name, collisions);
  const auto free = FindFreeProfile(planned, stored, profiles, profile_count, NowMinute());
  if (!free) return AskYesNo(question);
  // Another profile of the same recorder program has a tuner free then.
  const std::u16string profile = u"「" + free->title + u"」";
  const std::vector<std::u16string> buttons = {profile + u"で登録 (チューナー " + free->tuner + u")", u"このまま登録",
                                               u"登録しない"};
  switch (AskChoice(question + u"\r\n" + profile + u"のチューナー " + free->tuner + u" はこの時間空いています。",
                    buttons)) {
    case 0:
      SelectProfileTab(free->profile);
      return true;
    case 1:
      return true;
    default:
      return false;
  }
}
