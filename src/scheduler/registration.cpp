#include "scheduler/registration.h"

#include "compose/forbidden_characters.h"
#include "scheduler/com_scope.h"
#include "scheduler/trigger_schedule.h"

namespace {

using Message = std::optional<std::u16string>;

constexpr std::size_t kMaxWorkingName = 255;

TaskTrigger TriggerStartingAt(const ReservationForm& form, const fw::CalendarTime& start_moment) {
  std::array<int, 8> weekdays = form.weekdays;
  const std::uint16_t mask = form.repeat == kRepeatWeekly ? WeekdayMask(weekdays, start_moment, form.offset_min) : 0;
  TaskTrigger trigger = BuildTrigger(start_moment, form.repeat, mask);
  if (form.kept) {
    trigger.flags = form.kept->trigger_flags;
    trigger.end_year = form.kept->end_year;
    trigger.end_month = form.kept->end_month;
    trigger.end_day = form.kept->end_day;
    trigger.minutes_duration = form.kept->minutes_duration;
    trigger.minutes_interval = form.kept->minutes_interval;
  }
  return trigger;
}

// True when a work item of that name is stored already. The names are
// fetched five at a time for as long as the fetch succeeds with any.
bool IsRegistered(WorkItemEnumerator& enumerator, std::u16string_view duplicate_key) {
  std::vector<std::u16string> names;
  while (!Failed(enumerator.Next(5, names)) && !names.empty()) {
    for (const auto& name : names) {
      if (name == duplicate_key) return true;
    }
    names.clear();
  }
  return false;
}

// The steps that create the work item. Every interface is a local here, so
// all are released when this returns, before the caller ends COM and shows
// the message.
Message CreateWorkItem(ReservationForm& form, const fw::CalendarTime& start_moment, TaskSchedulerPlatform& platform) {
  const TaskTrigger planned = TriggerStartingAt(form, start_moment);
  std::unique_ptr<SchedulerInterface> scheduler;
  if (Failed(platform.CreateScheduler(scheduler))) return u"オブジェクトの作成に失敗しました";
  std::unique_ptr<WorkItemEnumerator> enumerator;
  if (Failed(scheduler->Enum(enumerator))) return u"IEnumWorkItemsエラー";

  const std::u16string working_name = WorkingName(form);
  if (HasForbiddenName(form)) {
    return u"禁止文字(\\/:*?\"<>|)があります\r\n名前を修正してください";
  }
  if (form.delete_same_name != 0) {
    // Replacing a stored reservation: the scheduler deletes it itself, with
    // no console window flashing up in an unattended registration. Whether
    // it went is not asked; a work item that survived is the duplicate below.
    scheduler->Delete(working_name);
    // An enumeration from before the delete may still list the deleted work
    // item, and the reservation would be lost with nothing stored in its place.
    enumerator.reset();
    if (Failed(scheduler->Enum(enumerator))) return u"IEnumWorkItemsエラー";
  }
  if (IsRegistered(*enumerator, working_name + u".job")) {
    return u"既に同じ登録名があります\r\n違う登録名を入力してください";
  }
  enumerator.reset();

  std::unique_ptr<TaskInterface> task;
  if (Failed(scheduler->NewWorkItem(form.registration_name, task)))
    return u"新しいタスクアイテムをメモリに作成できません";
  if (Failed(task->SetAccountInformation(form.account, form.pass))) return u"アカウントとパスワードが設定できません";
  if (Failed(task->SetApplicationName(form.application_name))) return u"ApplicationName(cap_sts)が設定できません";
  task->SetWorkingDirectory(form.folder);
  if (Failed(task->SetParameters(form.parameters))) return u"コマンドラインパラメータが設定できません";
  std::unique_ptr<TaskTriggerInterface> trigger;
  if (Failed(task->CreateTrigger(trigger))) return u"タスクの実行開始トリガを新しく作成できません";
  if (Failed(task->SetFlags(RegistrationFlags(form)))) return u"タスクフラグが設定できません";
  // The form keeps the copy of Sunday that the weekly days were read round with.
  if (form.repeat == kRepeatWeekly) form.weekdays[7] = form.weekdays[0];
  if (Failed(trigger->SetTrigger(planned))) {
    return u"タスクの実行開始トリガをセットできません";
  }
  scheduler.reset();

  std::unique_ptr<PersistFileInterface> persist;
  const HResult queried = task->QueryPersistFile(persist);
  task.reset();
  if (Failed(queried)) return u"pITaskリリース失敗";
  const HResult saved = persist->Save();
  persist.reset();
  if (Failed(saved)) return u"pIPersistFile->Save失敗\n(ｱｶｳﾝﾄとﾊﾟｽﾜｰﾄﾞ要確認)";
  return std::nullopt;
}

}  // namespace

Message CheckRegistrationForm(const ReservationForm& form) {
  if (form.registration_name.empty()) return u"設定名を入力してください";
  if (form.account.empty()) return u"実行するアカウントを入力してください";
  if (form.pass != form.pass_confirm) return u"パスワードが間違っています";
  return std::nullopt;
}

// The controls decide wake and delete-when-done; a replaced work item keeps
// every other flag it had, switched off among them.
std::uint32_t RegistrationFlags(const ReservationForm& form) {
  const std::uint32_t chosen = WorkItemFlags(form.del_task, form.resume);
  if (!form.kept) return chosen;
  return (chosen & kFlagsTheFormSets) | (form.kept->flags & ~kFlagsTheFormSets);
}

bool HasForbiddenName(const ReservationForm& form) {
  return ContainsForbiddenCharacter(WorkingName(form)) || ContainsForbiddenCharacter(form.file_name);
}

std::optional<TaskTrigger> RegistrationTrigger(const ReservationForm& form, const RegistrationStart& start) {
  const auto start_moment = StartMoment(start.date, start.hour, start.minute, form.offset_min);
  if (!start_moment) return std::nullopt;
  return TriggerStartingAt(form, *start_moment);
}

std::u16string WorkingName(const ReservationForm& form) { return form.registration_name.substr(0, kMaxWorkingName); }

std::optional<std::u16string> RegisterWorkItem(ReservationForm& form, const RegistrationStart& start,
                                               TaskSchedulerPlatform& platform) {
  if (Message failure = CheckRegistrationForm(form)) return failure;
  // A date the calendar offers but the C library cannot convert has no
  // begin date to give the trigger; refuse it before anything is created.
  const auto start_moment = StartMoment(start.date, start.hour, start.minute, form.offset_min);
  if (!start_moment) return u"開始日時が正しくありません";

  ComScope com(platform);
  if (!com.ok()) return u"COM初期化エラー";
  return CreateWorkItem(form, *start_moment, platform);
}
