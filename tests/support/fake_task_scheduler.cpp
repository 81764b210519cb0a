#include "support/fake_task_scheduler.h"

#include <algorithm>
#include <filesystem>

#include "platform/file_access.h"
#include "scheduler/work_item_name.h"

namespace {

constexpr HResult kFailure = static_cast<HResult>(0x80004005);  // E_FAIL
constexpr HResult kFileNotFound = static_cast<HResult>(0x80070002);

// Counts itself among the scheduler's live interfaces, and notes its release.
class Counted {
 public:
  Counted(FakeTaskScheduler& owner, const char* kind) : owner_(owner), kind_(kind) { ++owner_.live_interfaces; }
  ~Counted() {
    --owner_.live_interfaces;
    owner_.calls.push_back(std::string("Release ") + kind_);
  }
  Counted(const Counted&) = delete;
  Counted& operator=(const Counted&) = delete;

 protected:
  FakeTaskScheduler& owner_;

 private:
  const char* kind_;
};

using Step = FakeTaskScheduler::Step;

struct PendingWorkItem {
  std::u16string name;
  JobFile job;
  std::u16string account;
};

class FakeTrigger final : public TaskTriggerInterface, Counted {
 public:
  FakeTrigger(FakeTaskScheduler& owner, std::shared_ptr<PendingWorkItem> item, std::size_t index)
      : Counted(owner, "trigger"), item_(std::move(item)), index_(index) {}
  HResult SetTrigger(const TaskTrigger& t) override {
    const HResult result = owner_.Answer(Step::SetTrigger, "SetTrigger");
    if (Failed(result)) return result;
    JobTrigger& stored = item_->job.triggers.at(index_);
    stored.begin_year = t.begin_year;
    stored.begin_month = t.begin_month;
    stored.begin_day = t.begin_day;
    stored.end_year = t.end_year;
    stored.end_month = t.end_month;
    stored.end_day = t.end_day;
    stored.start_hour = t.start_hour;
    stored.start_minute = t.start_minute;
    stored.minutes_duration = t.minutes_duration;
    stored.minutes_interval = t.minutes_interval;
    stored.flags = t.flags;
    stored.type = t.type;
    if (t.type == 1) stored.type_data = {t.days_interval, 0, 0};
    if (t.type == 2) stored.type_data = {t.weeks_interval, t.days_of_the_week, 0};
    return result;
  }
  HResult GetTrigger(TaskTrigger& t) override {
    const HResult result = owner_.Answer(Step::GetTrigger, "GetTrigger");
    if (Failed(result)) return result;
    t = ToTaskTrigger(item_->job.triggers.at(index_));
    return result;
  }

 private:
  std::shared_ptr<PendingWorkItem> item_;
  std::size_t index_;
};

class FakePersist final : public PersistFileInterface, Counted {
 public:
  FakePersist(FakeTaskScheduler& owner, std::shared_ptr<PendingWorkItem> item)
      : Counted(owner, "persist"), item_(std::move(item)) {}
  HResult Save() override {
    const HResult result = owner_.Answer(Step::Save, "Save");
    if (Failed(result)) return result;
    // As Wine's Task Scheduler writes a work item: its own version, and no
    // retries, whatever the work item held; everything else as it stands
    // (its reserved data and signature, which nothing reads, aside).
    item_->job.product_version = 0x0601;
    item_->job.error_retry_count = 0;
    item_->job.error_retry_interval = 0;
    owner_.saved[item_->name] = item_->job;
    if (!owner_.tasks_folder.empty()) {
      WriteFileBytes(owner_.tasks_folder + u"\\" + item_->name + u".job", SerializeJobFile(item_->job));
    }
    owner_.accounts[item_->name] = item_->account;
    return result;
  }

 private:
  std::shared_ptr<PendingWorkItem> item_;
};

class FakeTask final : public TaskInterface, Counted {
 public:
  FakeTask(FakeTaskScheduler& owner, std::u16string_view name, JobFile job = {}, std::u16string account = {})
      : Counted(owner, "task"), item_(std::make_shared<PendingWorkItem>()) {
    item_->name = name;
    item_->job = std::move(job);
    item_->account = std::move(account);
  }
  HResult SetAccountInformation(std::u16string_view account, std::u16string_view) override {
    item_->account = account;
    return owner_.Answer(Step::SetAccountInformation, "SetAccountInformation");
  }
  HResult SetApplicationName(std::u16string_view application) override {
    item_->job.application_name = application;
    return owner_.Answer(Step::SetApplicationName, "SetApplicationName");
  }
  HResult SetWorkingDirectory(std::u16string_view folder) override {
    item_->job.working_directory = folder;
    return owner_.Answer(Step::SetWorkingDirectory, "SetWorkingDirectory");
  }
  HResult SetParameters(std::u16string_view parameters) override {
    item_->job.parameters = parameters;
    return owner_.Answer(Step::SetParameters, "SetParameters");
  }
  HResult CreateTrigger(std::unique_ptr<TaskTriggerInterface>& trigger) override {
    const HResult result = owner_.Answer(Step::CreateTrigger, "CreateTrigger");
    if (Failed(result)) return result;
    item_->job.triggers.emplace_back();
    trigger = std::make_unique<FakeTrigger>(owner_, item_, item_->job.triggers.size() - 1);
    return result;
  }
  HResult SetFlags(std::uint32_t flags) override {
    item_->job.flags = flags;
    return owner_.Answer(Step::SetFlags, "SetFlags");
  }
  HResult SetMaxRunTime(std::uint32_t milliseconds) override {
    item_->job.maximum_run_time = milliseconds;
    return owner_.Answer(Step::SetFlags, "SetMaxRunTime");
  }
  HResult QueryPersistFile(std::unique_ptr<PersistFileInterface>& persist) override {
    const HResult result = owner_.Answer(Step::QueryPersistFile, "QueryPersistFile");
    if (!Failed(result)) persist = std::make_unique<FakePersist>(owner_, item_);
    return result;
  }
  HResult GetApplicationName(std::u16string& application) override {
    application = item_->job.application_name;
    return owner_.Answer(Step::None, "GetApplicationName");
  }
  HResult GetParameters(std::u16string& parameters) override {
    parameters = item_->job.parameters;
    return owner_.Answer(Step::None, "GetParameters");
  }
  HResult GetWorkingDirectory(std::u16string& folder) override {
    folder = item_->job.working_directory;
    return owner_.Answer(Step::None, "GetWorkingDirectory");
  }
  HResult GetFlags(std::uint32_t& flags) override {
    flags = item_->job.flags;
    return owner_.Answer(Step::None, "GetFlags");
  }
  HResult GetTriggerCount(int& count) override {
    count = static_cast<int>(item_->job.triggers.size());
    return owner_.Answer(Step::None, "GetTriggerCount");
  }
  HResult GetTrigger(int index, std::unique_ptr<TaskTriggerInterface>& trigger) override {
    if (index < 0 || static_cast<std::size_t>(index) >= item_->job.triggers.size()) return kFailure;
    trigger = std::make_unique<FakeTrigger>(owner_, item_, static_cast<std::size_t>(index));
    return 0;
  }
  // The Task Scheduler's answers from what the work item's file holds.
  HResult GetMostRecentRunTime(TaskTime& time) override {
    const auto& run = item_->job.last_run_time;  // SYSTEMTIME: year, month, weekday, day, hour, minute, ...
    time = {run[0], run[1], run[3], run[4], run[5], run[6]};
    return HasRun() ? 0 : kTaskHasNotRun;
  }
  HResult GetExitCode(std::uint32_t& exit_code) override {
    exit_code = item_->job.exit_code;
    return HasRun() ? 0 : kTaskHasNotRun;
  }
  HResult GetStatus(HResult& status) override {
    status = item_->job.running_instance_count > 0 ? kTaskRunning : static_cast<HResult>(item_->job.status);
    return 0;
  }

 private:
  // As Wine's Task Scheduler: a work item that is not scheduled has not run.
  bool HasRun() const {
    constexpr std::uint32_t kNotScheduled = 0x41305;
    return item_->job.status != static_cast<std::uint32_t>(kTaskHasNotRun) && item_->job.status != kNotScheduled;
  }
  std::shared_ptr<PendingWorkItem> item_;
};

class FakeEnumerator final : public WorkItemEnumerator, Counted {
 public:
  FakeEnumerator(FakeTaskScheduler& owner, std::vector<std::u16string> names)
      : Counted(owner, "enumerator"), names_(std::move(names)) {}
  HResult Next(unsigned count, std::vector<std::u16string>& names) override {
    owner_.calls.push_back("Next " + std::to_string(count));
    for (unsigned i = 0; i < count && next_ < names_.size(); ++i) names.push_back(names_[next_++]);
    return names.size() == count ? 0 : 1;  // S_OK, or S_FALSE when fewer were left
  }

 private:
  std::vector<std::u16string> names_;
  std::size_t next_ = 0;
};

class FakeScheduler final : public SchedulerInterface, Counted {
 public:
  explicit FakeScheduler(FakeTaskScheduler& owner) : Counted(owner, "scheduler") {}
  HResult Enum(std::unique_ptr<WorkItemEnumerator>& enumerator) override {
    const HResult result = owner_.Answer(Step::Enum, "Enum");
    if (Failed(result)) return result;
    std::vector<std::u16string> names = owner_.existing_names;
    for (const auto& [name, job] : owner_.saved) names.push_back(name + u".job");
    enumerator = std::make_unique<FakeEnumerator>(owner_, std::move(names));
    return result;
  }
  HResult NewWorkItem(std::u16string_view name, std::unique_ptr<TaskInterface>& task) override {
    const HResult result = owner_.Answer(Step::NewWorkItem, "NewWorkItem");
    if (!Failed(result)) task = std::make_unique<FakeTask>(owner_, name);
    return result;
  }
  HResult Activate(std::u16string_view name, std::unique_ptr<TaskInterface>& task) override {
    const HResult result = owner_.Answer(Step::Activate, "Activate");
    if (Failed(result)) return result;
    // As Windows opens the file: letter case does not count.
    const auto found = std::find_if(owner_.saved.begin(), owner_.saved.end(),
                                    [name](const auto& stored) { return SameWorkItemName(stored.first, name); });
    if (found == owner_.saved.end()) return kFileNotFound;
    task = std::make_unique<FakeTask>(owner_, found->first, found->second, owner_.accounts[found->first]);
    return result;
  }
  HResult Delete(std::u16string_view name) override {
    owner_.deleted.emplace_back(name);
    const HResult result = owner_.Answer(Step::Delete, "Delete");
    if (!Failed(result)) owner_.Remove(name);
    return result;
  }
};

}  // namespace

HResult FakeTaskScheduler::Answer(Step step, const char* name) {
  calls.emplace_back(name);
  if (step == Step::None || step != fail_at) return 0;
  const int occurrence = ++occurrences_[step];
  return fail_at_occurrence == 0 || occurrence == fail_at_occurrence ? kFailure : 0;
}

void FakeTaskScheduler::Remove(std::u16string_view name) {
  saved.erase(std::u16string(name));
  std::erase(existing_names, std::u16string(name) + u".job");
  if (tasks_folder.empty()) return;
  std::u16string file = tasks_folder + u"/" + std::u16string(name) + u".job";
  std::replace(file.begin(), file.end(), u'\\', u'/');
  std::error_code ignored;
  std::filesystem::remove(std::filesystem::path(file), ignored);
}

HResult FakeTaskScheduler::InitializeCom() {
  const HResult result = Answer(Step::InitializeCom, "CoInitialize");
  if (!Failed(result)) ++com_initializations;
  return result;
}

void FakeTaskScheduler::UninitializeCom() {
  calls.emplace_back("CoUninitialize");
  ++com_uninitializations;
}

HResult FakeTaskScheduler::CreateScheduler(std::unique_ptr<SchedulerInterface>& scheduler) {
  const HResult result = Answer(Step::CreateScheduler, "CoCreateInstance");
  if (!Failed(result)) scheduler = std::make_unique<FakeScheduler>(*this);
  return result;
}
