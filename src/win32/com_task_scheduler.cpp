#include "win32/com_task_scheduler.h"

#include "win32/windows_api.h"
#include <mstask.h>

#include "win32/com_ptr.h"
#include "win32/system_message.h"
#include "win32/wide_text.h"

namespace win32 {

namespace {

// A text the Task Scheduler allocates for us, freed once copied.
template <class Getter>
HResult TakeText(Getter get, std::u16string& out) {
  LPWSTR text = nullptr;
  const HRESULT result = get(&text);
  if (SUCCEEDED(result) && text != nullptr) out = Utf16(text);
  CoTaskMemFree(text);
  return result;
}

class Trigger final : public TaskTriggerInterface {
 public:
  explicit Trigger(ComPtr<ITaskTrigger> trigger) : trigger_(std::move(trigger)) {}
  HResult SetTrigger(const TaskTrigger& t) override {
    TASK_TRIGGER record{};
    record.cbTriggerSize = sizeof(TASK_TRIGGER);
    record.wBeginYear = t.begin_year;
    record.wBeginMonth = t.begin_month;
    record.wBeginDay = t.begin_day;
    record.wStartHour = t.start_hour;
    record.wStartMinute = t.start_minute;
    record.wEndYear = t.end_year;
    record.wEndMonth = t.end_month;
    record.wEndDay = t.end_day;
    record.MinutesDuration = t.minutes_duration;
    record.MinutesInterval = t.minutes_interval;
    record.rgFlags = t.flags;
    record.TriggerType = static_cast<TASK_TRIGGER_TYPE>(t.type);
    if (t.type == TASK_TIME_TRIGGER_DAILY) record.Type.Daily.DaysInterval = t.days_interval;
    if (t.type == TASK_TIME_TRIGGER_WEEKLY) {
      record.Type.Weekly.WeeksInterval = t.weeks_interval;
      record.Type.Weekly.rgfDaysOfTheWeek = t.days_of_the_week;
    }
    return trigger_->SetTrigger(&record);
  }
  HResult GetTrigger(TaskTrigger& t) override {
    TASK_TRIGGER record{};
    record.cbTriggerSize = sizeof(TASK_TRIGGER);
    const HRESULT result = trigger_->GetTrigger(&record);
    if (FAILED(result)) return result;
    t.begin_year = record.wBeginYear;
    t.begin_month = record.wBeginMonth;
    t.begin_day = record.wBeginDay;
    t.start_hour = record.wStartHour;
    t.start_minute = record.wStartMinute;
    t.end_year = record.wEndYear;
    t.end_month = record.wEndMonth;
    t.end_day = record.wEndDay;
    t.minutes_duration = record.MinutesDuration;
    t.minutes_interval = record.MinutesInterval;
    t.flags = record.rgFlags;
    t.type = static_cast<std::uint32_t>(record.TriggerType);
    if (record.TriggerType == TASK_TIME_TRIGGER_DAILY) t.days_interval = record.Type.Daily.DaysInterval;
    if (record.TriggerType == TASK_TIME_TRIGGER_WEEKLY) {
      t.weeks_interval = record.Type.Weekly.WeeksInterval;
      t.days_of_the_week = record.Type.Weekly.rgfDaysOfTheWeek;
    }
    return result;
  }

 private:
  ComPtr<ITaskTrigger> trigger_;
};

class PersistFile final : public PersistFileInterface {
 public:
  explicit PersistFile(ComPtr<IPersistFile> persist) : persist_(std::move(persist)) {}
  HResult Save() override { return persist_->Save(nullptr, TRUE); }

 private:
  ComPtr<IPersistFile> persist_;
};

class Task final : public TaskInterface {
 public:
  explicit Task(ComPtr<ITask> task) : task_(std::move(task)) {}
  HResult SetAccountInformation(std::u16string_view account, std::u16string_view password) override {
    return task_->SetAccountInformation(Wide(account).c_str(), Wide(password).c_str());
  }
  HResult SetApplicationName(std::u16string_view application) override {
    return task_->SetApplicationName(Wide(application).c_str());
  }
  HResult SetWorkingDirectory(std::u16string_view folder) override {
    return task_->SetWorkingDirectory(Wide(folder).c_str());
  }
  HResult SetParameters(std::u16string_view parameters) override {
    return task_->SetParameters(Wide(parameters).c_str());
  }
  HResult CreateTrigger(std::unique_ptr<TaskTriggerInterface>& trigger) override {
    WORD index = 0;
    ComPtr<ITaskTrigger> created;
    const HRESULT result = task_->CreateTrigger(&index, &created);
    if (SUCCEEDED(result)) trigger = std::make_unique<Trigger>(std::move(created));
    return result;
  }
  HResult SetFlags(std::uint32_t flags) override { return task_->SetFlags(flags); }
  HResult SetMaxRunTime(std::uint32_t milliseconds) override { return task_->SetMaxRunTime(milliseconds); }
  HResult QueryPersistFile(std::unique_ptr<PersistFileInterface>& persist) override {
    ComPtr<IPersistFile> queried;
    const HRESULT result = task_->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&queried));
    if (SUCCEEDED(result)) persist = std::make_unique<PersistFile>(std::move(queried));
    return result;
  }
  HResult GetApplicationName(std::u16string& application) override {
    return TakeText([this](LPWSTR* text) { return task_->GetApplicationName(text); }, application);
  }
  HResult GetParameters(std::u16string& parameters) override {
    return TakeText([this](LPWSTR* text) { return task_->GetParameters(text); }, parameters);
  }
  HResult GetWorkingDirectory(std::u16string& folder) override {
    return TakeText([this](LPWSTR* text) { return task_->GetWorkingDirectory(text); }, folder);
  }
  HResult GetFlags(std::uint32_t& flags) override {
    DWORD value = 0;
    const HRESULT result = task_->GetFlags(&value);
    flags = value;
    return result;
  }
  HResult GetTriggerCount(int& count) override {
    WORD value = 0;
    const HRESULT result = task_->GetTriggerCount(&value);
    count = value;
    return result;
  }
  HResult GetTrigger(int index, std::unique_ptr<TaskTriggerInterface>& trigger) override {
    ComPtr<ITaskTrigger> found;
    const HRESULT result = task_->GetTrigger(static_cast<WORD>(index), &found);
    if (SUCCEEDED(result)) trigger = std::make_unique<Trigger>(std::move(found));
    return result;
  }
  HResult GetMostRecentRunTime(TaskTime& time) override {
    SYSTEMTIME run{};
    const HRESULT result = task_->GetMostRecentRunTime(&run);
    time = {run.wYear, run.wMonth, run.wDay, run.wHour, run.wMinute, run.wSecond};
    return result;
  }
  HResult GetExitCode(std::uint32_t& exit_code) override {
    DWORD code = 0;
    const HRESULT result = task_->GetExitCode(&code);
    exit_code = code;
    return result;
  }
  HResult GetStatus(HResult& status) override {
    HRESULT value = S_OK;
    const HRESULT result = task_->GetStatus(&value);
    status = value;
    return result;
  }

 private:
  ComPtr<ITask> task_;
};

class Enumerator final : public WorkItemEnumerator {
 public:
  explicit Enumerator(ComPtr<IEnumWorkItems> items) : items_(std::move(items)) {}
  HResult Next(unsigned count, std::vector<std::u16string>& names) override {
    LPWSTR* fetched_names = nullptr;
    ULONG fetched = 0;
    const HRESULT result = items_->Next(count, &fetched_names, &fetched);
    if (FAILED(result) || fetched_names == nullptr) return result;
    for (ULONG i = 0; i < fetched; ++i) {
      names.push_back(Utf16(fetched_names[i]));
      CoTaskMemFree(fetched_names[i]);
    }
    CoTaskMemFree(fetched_names);
    return result;
  }

 private:
  ComPtr<IEnumWorkItems> items_;
};

class Scheduler final : public SchedulerInterface {
 public:
  explicit Scheduler(ComPtr<ITaskScheduler> scheduler) : scheduler_(std::move(scheduler)) {}
  HResult Enum(std::unique_ptr<WorkItemEnumerator>& enumerator) override {
    ComPtr<IEnumWorkItems> items;
    const HRESULT result = scheduler_->Enum(&items);
    if (SUCCEEDED(result)) enumerator = std::make_unique<Enumerator>(std::move(items));
    return result;
  }
  HResult NewWorkItem(std::u16string_view name, std::unique_ptr<TaskInterface>& task) override {
    ComPtr<ITask> created;
    const HRESULT result =
        scheduler_->NewWorkItem(Wide(name).c_str(), CLSID_CTask, IID_ITask, reinterpret_cast<IUnknown**>(&created));
    if (SUCCEEDED(result)) task = std::make_unique<Task>(std::move(created));
    return result;
  }
  HResult Activate(std::u16string_view name, std::unique_ptr<TaskInterface>& task) override {
    ComPtr<ITask> found;
    const HRESULT result = scheduler_->Activate(Wide(name).c_str(), IID_ITask, reinterpret_cast<IUnknown**>(&found));
    if (SUCCEEDED(result)) task = std::make_unique<Task>(std::move(found));
    return result;
  }
  HResult Delete(std::u16string_view name) override { return scheduler_->Delete(Wide(name).c_str()); }

 private:
  ComPtr<ITaskScheduler> scheduler_;
};

}  // namespace

HResult ComTaskScheduler::InitializeCom() { return CoInitialize(nullptr); }

void ComTaskScheduler::UninitializeCom() { CoUninitialize(); }

HResult ComTaskScheduler::CreateScheduler(std::unique_ptr<SchedulerInterface>& scheduler) {
  ComPtr<ITaskScheduler> created;
  const HRESULT result = CoCreateInstance(CLSID_CTaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskScheduler,
                                          reinterpret_cast<void**>(&created));
  if (SUCCEEDED(result)) scheduler = std::make_unique<Scheduler>(std::move(created));
  return result;
}

std::u16string ComTaskScheduler::DescribeFailure(HResult status) { return SystemMessage(status); }

}  // namespace win32
