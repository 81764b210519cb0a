#include "scheduler/registration.h"

#include "compose/forbidden_characters.h"
#include "scheduler/com_scope.h"
#include "scheduler/trigger_schedule.h"
#include "scheduler/work_item_name.h"

namespace {

using Message = std::optional<std::u16string>;

constexpr std::size_t kMaxWorkingName = 255;

constexpr std::u16string_view kDuplicateMessage = u"既に同じ登録名があります\r\n違う登録名を入力してください";

TaskTrigger TriggerStartingAt(const ReservationForm& form, const fw::CalendarTime& start_moment) {
  std::array<int, 8> weekdays = form.weekdays;
  const std::uint16_t mask = form.repeat == kRepeatWeekly ? WeekdayMask(weekdays, start_moment, form.offset_min) : 0;
  TaskTrigger trigger = BuildTrigger(start_moment, form.repeat, mask);
  if (form.kept) GiveBackTriggerParts(*form.kept, trigger);
  return trigger;
}

// The stored work item the duplicate key opens, as the enumerator lists it:
// names are fetched five at a time for as long as the fetch succeeds with
// any, and compared as Windows compares file names.
std::optional<std::u16string> FindStored(WorkItemEnumerator& enumerator, std::u16string_view duplicate_key) {
  std::vector<std::u16string> names;
  while (!Failed(enumerator.Next(5, names)) && !names.empty()) {
    for (const auto& name : names) {
      if (SameWorkItemName(name, duplicate_key)) return std::u16string(WorkItemNameOf(name));
    }
    names.clear();
  }
  return std::nullopt;
}

// Tells why a work item being changed in place was left as it was stored.
class Unchanged {
 public:
  Unchanged(std::u16string_view name, TaskSchedulerPlatform& platform) : name_(name), platform_(platform) {}
  Message operator()(std::u16string_view step, HResult status) const {
    return u"「" + name_ + u"」は変更されていません。\r\n" + std::u16string(step) + u"\r\n" +
           platform_.DescribeFailure(status);
  }

 private:
  std::u16string name_;
  TaskSchedulerPlatform& platform_;
};

// The stored reservation `task` given the change and saved under its own
// name. Nothing reaches the store unless the save succeeds.
Message ChangeInPlace(TaskInterface& task, const StoredReservationChange& change, const Unchanged& unchanged) {
  HResult status = 0;
  if (const auto& c = change.credentials; c && Failed(status = task.SetAccountInformation(c->account, c->password)))
    return unchanged(u"アカウントとパスワードが設定できません", status);
  if (const auto& command = change.command) {
    if (Failed(status = task.SetApplicationName(command->application)))
      return unchanged(u"ApplicationName(cap_sts)が設定できません", status);
    if (Failed(status = task.SetWorkingDirectory(command->working_folder)))
      return unchanged(u"作業フォルダが設定できません", status);
    if (Failed(status = task.SetParameters(command->parameters)))
      return unchanged(u"コマンドラインパラメータが設定できません", status);
  }

  // The schedule goes onto the stored trigger, which keeps its end date and
  // flags; a stored item without a trigger is given one.
  std::unique_ptr<TaskTriggerInterface> trigger;
  TaskTrigger schedule;
  if (change.schedule) {
    int trigger_count = 0;
    schedule = *change.schedule;
    if (Failed(status = task.GetTriggerCount(trigger_count)))
      return unchanged(u"タスクの実行開始トリガが読めません", status);
    if (trigger_count > 0) {
      if (Failed(status = task.GetTrigger(0, trigger)) || Failed(status = trigger->GetTrigger(schedule)))
        return unchanged(u"タスクの実行開始トリガが読めません", status);
      schedule = ScheduleOnto(schedule, *change.schedule);
    } else if (Failed(status = task.CreateTrigger(trigger))) {
      return unchanged(u"タスクの実行開始トリガを新しく作成できません", status);
    }
  }
  if (change.flags) {
    std::uint32_t flags = 0;
    if (Failed(status = task.GetFlags(flags)) || Failed(status = task.SetFlags(change.flags(flags))))
      return unchanged(u"タスクフラグが設定できません", status);
  }
  if (trigger && Failed(status = trigger->SetTrigger(schedule)))
    return unchanged(u"タスクの実行開始トリガをセットできません", status);

  std::unique_ptr<PersistFileInterface> persist;
  if (Failed(status = task.QueryPersistFile(persist))) return unchanged(u"pITaskリリース失敗", status);
  if (Failed(status = persist->Save())) return unchanged(u"pIPersistFile->Save失敗\n(ｱｶｳﾝﾄとﾊﾟｽﾜｰﾄﾞ要確認)", status);
  return std::nullopt;
}

// The stored work item `stored_name` opened, where it runs a recorder;
// otherwise the message that says why not, naming it as the user does.
Message OpenRecordingReservation(SchedulerInterface& scheduler, std::u16string_view stored_name,
                                 std::u16string_view users_name,
                                 const std::function<bool(std::u16string_view)>& runs_a_recorder,
                                 TaskSchedulerPlatform& platform, std::unique_ptr<TaskInterface>& task) {
  std::u16string application;
  HResult status = scheduler.Activate(stored_name, task);
  if (!Failed(status)) status = task->GetApplicationName(application);
  const std::u16string name(stored_name);
  if (Failed(status)) {
    return u"「" + name + u"」を開けないため、置き換えられません。\r\n" + platform.DescribeFailure(status);
  }
  if (!runs_a_recorder || !runs_a_recorder(application)) return NotAReservationMessage(users_name);
  return std::nullopt;
}

Message ChangeRecordingReservation(std::unique_ptr<SchedulerInterface> scheduler, std::u16string_view stored_name,
                                   std::u16string_view users_name, const StoredReservationChange& change,
                                   const std::function<bool(std::u16string_view)>& runs_a_recorder,
                                   TaskSchedulerPlatform& platform) {
  std::unique_ptr<TaskInterface> task;
  if (Message refused = OpenRecordingReservation(*scheduler, stored_name, users_name, runs_a_recorder, platform, task))
    return refused;
  scheduler.reset();
  return ChangeInPlace(*task, change, Unchanged(stored_name, platform));
}

// What a registration changes on the stored reservation it replaces: the
// parts the form owns.
StoredReservationChange ChangeOfForm(const ReservationForm& form, const TaskTrigger& planned,
                                     const ReplacementRules& rules) {
  StoredReservationChange change;
  if (rules.credentials_changed) change.credentials = {{form.account, form.pass}};
  change.command = {{form.application_name.str(), form.folder, form.parameters.str()}};
  change.schedule = planned;
  change.flags = [&form](std::uint32_t stored) { return FlagsKeeping(stored, form); };
  return change;
}

// A new work item under the registration name, made step by step.
Message CreateNew(std::unique_ptr<SchedulerInterface>& scheduler, ReservationForm& form, const TaskTrigger& planned) {
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
  if (Failed(trigger->SetTrigger(planned))) return u"タスクの実行開始トリガをセットできません";
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

// The steps of a registration once COM is up. Every interface is a local
// here, so all are released when this returns, before the caller ends COM
// and shows the message.
Message StoreWorkItem(ReservationForm& form, const fw::CalendarTime& start_moment, TaskSchedulerPlatform& platform,
                      const ReplacementRules& rules) {
  const TaskTrigger planned = TriggerStartingAt(form, start_moment);
  // The form keeps the copy of Sunday that the weekly days were read round with.
  if (form.repeat == kRepeatWeekly) form.weekdays[7] = form.weekdays[0];
  std::unique_ptr<SchedulerInterface> scheduler;
  if (Failed(platform.CreateScheduler(scheduler))) return u"オブジェクトの作成に失敗しました";
  std::unique_ptr<WorkItemEnumerator> enumerator;
  if (Failed(scheduler->Enum(enumerator))) return u"IEnumWorkItemsエラー";

  const std::u16string working_name = WorkingName(form);
  if (HasForbiddenName(form)) {
    return u"禁止文字(\\/:*?\"<>|)があります\r\n名前を修正してください";
  }
  const std::optional<std::u16string> stored_name = FindStored(*enumerator, working_name + u".job");
  enumerator.reset();
  if (!stored_name) return CreateNew(scheduler, form, planned);

  // The one place a stored work item is replaced, under the very name the
  // registration stores: whoever ticked the box, and whatever way the name
  // came, another program's work item, or one that cannot be read, stays.
  if (form.delete_same_name == 0) return std::u16string(kDuplicateMessage);
  const auto replaces = [&form, &rules](std::u16string_view application) {
    return ReplacesStoredItem(form, rules.runs_a_recorder && rules.runs_a_recorder(application));
  };
  return ChangeRecordingReservation(std::move(scheduler), *stored_name, working_name,
                                    ChangeOfForm(form, planned, rules), replaces, platform);
}

}  // namespace

Message CheckRegistrationForm(const ReservationForm& form) {
  if (form.registration_name.empty()) return u"設定名を入力してください";
  if (form.account.empty()) return u"実行するアカウントを入力してください";
  if (form.pass != form.pass_confirm) return u"パスワードが間違っています";
  return std::nullopt;
}

std::uint32_t FlagsKeeping(std::uint32_t kept, const ReservationForm& form) {
  return (WorkItemFlags(form.del_task, form.resume) & kFlagsTheFormSets) | (kept & ~kFlagsTheFormSets);
}

// A work item the form carries keeps every flag it had, switched off among them.
std::uint32_t RegistrationFlags(const ReservationForm& form) {
  return form.kept ? FlagsKeeping(form.kept->flags, form) : WorkItemFlags(form.del_task, form.resume);
}

TaskTrigger ScheduleOnto(TaskTrigger stored, const TaskTrigger& planned) {
  stored.type = planned.type;
  stored.days_interval = planned.days_interval;
  stored.weeks_interval = planned.weeks_interval;
  stored.days_of_the_week = planned.days_of_the_week;
  stored.begin_year = planned.begin_year;
  stored.begin_month = planned.begin_month;
  stored.begin_day = planned.begin_day;
  stored.start_hour = planned.start_hour;
  stored.start_minute = planned.start_minute;
  return stored;
}

bool ReplacesStoredItem(const ReservationForm& form, bool runs_a_recorder) {
  return form.delete_same_name != 0 && runs_a_recorder;
}

std::u16string NotAReservationMessage(std::u16string_view name) {
  return u"「" + std::u16string(name) + u"」は録画予約のタスクではないため、置き換えられません。";
}

bool HasForbiddenName(const ReservationForm& form) {
  return ContainsForbiddenCharacter(WorkingName(form)) || ContainsForbiddenCharacter(form.file_name);
}

std::optional<TaskTrigger> RegistrationTrigger(const ReservationForm& form, const RegistrationStart& start) {
  const auto start_moment = StartMoment(start.date, start.hour, start.minute, form.offset_min);
  if (!start_moment) return std::nullopt;
  return TriggerStartingAt(form, *start_moment);
}

std::optional<std::u16string> ChangeStoredReservation(
    TaskSchedulerPlatform& platform, std::u16string_view name, const StoredReservationChange& change,
    const std::function<bool(std::u16string_view application)>& runs_a_recorder) {
  return WithScheduler(platform, [&](std::unique_ptr<SchedulerInterface>& scheduler) {
    return ChangeRecordingReservation(std::move(scheduler), name, name, change, runs_a_recorder, platform);
  });
}

std::optional<std::u16string> DeleteStoredReservation(
    TaskSchedulerPlatform& platform, std::u16string_view name,
    const std::function<bool(std::u16string_view application)>& runs_a_recorder) {
  return WithScheduler(platform, [&](std::unique_ptr<SchedulerInterface>& scheduler) -> Message {
    std::unique_ptr<TaskInterface> task;
    if (Message refused = OpenRecordingReservation(*scheduler, name, name, runs_a_recorder, platform, task))
      return refused;
    task.reset();
    if (const HResult status = scheduler->Delete(name); Failed(status))
      return u"「" + std::u16string(name) + u"」を削除できませんでした。\r\n" + platform.DescribeFailure(status);
    return std::nullopt;
  });
}

std::u16string WorkingName(const ReservationForm& form) { return form.registration_name.substr(0, kMaxWorkingName); }

std::optional<std::u16string> RegisterWorkItem(ReservationForm& form, const RegistrationStart& start,
                                               TaskSchedulerPlatform& platform, const ReplacementRules& rules) {
  if (Message failure = CheckRegistrationForm(form)) return failure;
  // A date the calendar offers but the C library cannot convert has no
  // begin date to give the trigger; refuse it before anything is created.
  const auto start_moment = StartMoment(start.date, start.hour, start.minute, form.offset_min);
  if (!start_moment) return u"開始日時が正しくありません";

  ComScope com(platform);
  if (!com.ok()) return u"COM初期化エラー";
  return StoreWorkItem(form, *start_moment, platform, rules);
}
