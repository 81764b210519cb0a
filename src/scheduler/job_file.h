#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "scheduler/task_scheduler.h"

// The Task Scheduler 1.0 work item file (".job"), little-endian: a 68-byte
// fixed section, then the variable section with the texts and the triggers.

struct JobTrigger {
  std::uint16_t begin_year = 0, begin_month = 0, begin_day = 0;
  std::uint16_t end_year = 0, end_month = 0, end_day = 0;
  std::uint16_t start_hour = 0, start_minute = 0;
  std::uint32_t minutes_duration = 0;
  std::uint32_t minutes_interval = 0;
  std::uint32_t flags = 0;
  std::uint32_t type = 0;  // 0 once, 1 daily, 2 weekly, ...
  // Daily: days interval in [0]. Weekly: weeks interval in [0], days of the
  // week (bit 0 Sunday) in [1].
  std::array<std::uint16_t, 3> type_data{};
  friend bool operator==(const JobTrigger&, const JobTrigger&) = default;
};

struct JobFile {
  std::uint16_t product_version = 0x0501;
  std::uint16_t file_version = 1;
  std::array<std::uint8_t, 16> uuid{};
  std::uint16_t error_retry_count = 0;
  std::uint16_t error_retry_interval = 0;
  std::uint16_t idle_deadline = 60;
  std::uint16_t idle_wait = 10;
  std::uint32_t priority = 0x20;
  std::uint32_t maximum_run_time = 259200000;
  std::uint32_t exit_code = 0;
  std::uint32_t status = 0x41303;  // has not run yet
  std::uint32_t flags = 0;
  std::array<std::uint16_t, 8> last_run_time{};
  std::uint16_t running_instance_count = 0;
  std::u16string application_name;
  std::u16string parameters;
  std::u16string working_directory;
  std::u16string author;
  std::u16string comment;
  std::string user_data;
  std::string reserved_data;
  std::vector<JobTrigger> triggers;
  friend bool operator==(const JobFile&, const JobFile&) = default;
};

inline constexpr std::size_t kJobFixedSectionSize = 68;
// A work item file is a few hundred bytes; anything larger is not one.
inline constexpr std::size_t kMaxWorkItemFileSize = std::size_t{64} * 1024;
inline constexpr std::size_t kJobTriggerSize = 48;

std::optional<JobFile> ParseJobFile(std::string_view bytes);
std::string SerializeJobFile(const JobFile& job);

// A trigger of the file as the Task Scheduler hands it out.
TaskTrigger ToTaskTrigger(const JobTrigger& stored);

// The repeat mode and the weekdays of a stored work item's first trigger,
// as a reservation naming that work item reads them back.
struct StoredTrigger {
  int type = 0;
  int days = 0;  // the low byte of the days-of-the-week word
};
// Only the bytes they lie in are read: the header, the first trigger, or
// the bytes before the end. Nothing for a file too short to hold them (like
// a missing file) or one that cannot be read.
using ReadBytesAt = std::function<bool(std::uint64_t offset, std::span<char> buffer)>;
std::optional<StoredTrigger> ReadStoredTrigger(std::uint64_t file_size, const ReadBytesAt& read_at);
std::optional<StoredTrigger> ReadStoredTrigger(std::string_view bytes);
