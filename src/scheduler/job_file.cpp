#include "scheduler/job_file.h"

#include "scheduler/little_endian.h"

namespace {

JobTrigger ReadTrigger(LittleEndianReader& in) {
  JobTrigger t;
  in.U16();  // size
  in.U16();  // reserved
  t.begin_year = in.U16();
  t.begin_month = in.U16();
  t.begin_day = in.U16();
  t.end_year = in.U16();
  t.end_month = in.U16();
  t.end_day = in.U16();
  t.start_hour = in.U16();
  t.start_minute = in.U16();
  t.minutes_duration = in.U32();
  t.minutes_interval = in.U32();
  t.flags = in.U32();
  t.type = in.U32();
  for (auto& word : t.type_data) word = in.U16();
  in.U16();  // padding
  in.U16();  // reserved
  in.U16();  // reserved
  return t;
}

void WriteTrigger(LittleEndianWriter& out, const JobTrigger& t) {
  out.U16(kJobTriggerSize);
  out.U16(0);
  for (std::uint16_t word :
       {t.begin_year, t.begin_month, t.begin_day, t.end_year, t.end_month, t.end_day, t.start_hour, t.start_minute}) {
    out.U16(word);
  }
  out.U32(t.minutes_duration);
  out.U32(t.minutes_interval);
  out.U32(t.flags);
  out.U32(t.type);
  for (std::uint16_t word : t.type_data) out.U16(word);
  out.U16(0);
  out.U16(0);
  out.U16(0);
}

}  // namespace

std::optional<JobFile> ParseJobFile(std::string_view bytes) {
  if (bytes.size() < kJobFixedSectionSize) return std::nullopt;
  LittleEndianReader in(bytes);
  JobFile job;
  job.product_version = in.U16();
  job.file_version = in.U16();
  for (auto& byte : job.uuid) byte = static_cast<std::uint8_t>(in.Bytes(1)[0]);
  in.U16();  // application name offset
  const std::uint16_t trigger_offset = in.U16();
  job.error_retry_count = in.U16();
  job.error_retry_interval = in.U16();
  job.idle_deadline = in.U16();
  job.idle_wait = in.U16();
  job.priority = in.U32();
  job.maximum_run_time = in.U32();
  job.exit_code = in.U32();
  job.status = in.U32();
  job.flags = in.U32();
  for (auto& word : job.last_run_time) word = in.U16();
  job.running_instance_count = in.U16();
  job.application_name = in.Text();
  job.parameters = in.Text();
  job.working_directory = in.Text();
  job.author = in.Text();
  job.comment = in.Text();
  job.user_data = in.Bytes(in.U16());
  job.reserved_data = in.Bytes(in.U16());
  if (!in.ok()) return std::nullopt;
  LittleEndianReader triggers(bytes, trigger_offset);
  const std::uint16_t count = triggers.U16();
  for (std::uint16_t i = 0; i < count && triggers.ok(); ++i) {
    JobTrigger trigger = ReadTrigger(triggers);
    if (triggers.ok()) job.triggers.push_back(trigger);
  }
  if (!triggers.ok()) return std::nullopt;
  return job;
}

std::string SerializeJobFile(const JobFile& job) {
  LittleEndianWriter out;
  out.U16(job.product_version);
  out.U16(job.file_version);
  out.Bytes(std::string_view(reinterpret_cast<const char*>(job.uuid.data()), job.uuid.size()));
  out.U16(kJobFixedSectionSize + 2);  // the application name follows the instance count
  const std::size_t trigger_offset_at = out.size();
  out.U16(0);
  out.U16(job.error_retry_count);
  out.U16(job.error_retry_interval);
  out.U16(job.idle_deadline);
  out.U16(job.idle_wait);
  out.U32(job.priority);
  out.U32(job.maximum_run_time);
  out.U32(job.exit_code);
  out.U32(job.status);
  out.U32(job.flags);
  for (std::uint16_t word : job.last_run_time) out.U16(word);
  out.U16(job.running_instance_count);
  out.Text(job.application_name);
  out.Text(job.parameters);
  out.Text(job.working_directory);
  out.Text(job.author);
  out.Text(job.comment);
  out.U16(static_cast<std::uint16_t>(job.user_data.size()));
  out.Bytes(job.user_data);
  out.U16(static_cast<std::uint16_t>(job.reserved_data.size()));
  out.Bytes(job.reserved_data);
  out.PatchU16(trigger_offset_at, static_cast<std::uint16_t>(out.size()));
  out.U16(static_cast<std::uint16_t>(job.triggers.size()));
  for (const JobTrigger& trigger : job.triggers) WriteTrigger(out, trigger);
  return out.Take();
}

std::optional<StoredTrigger> ReadStoredTrigger(std::uint64_t file_size, const ReadBytesAt& read_at) {
  if (file_size < 16) return std::nullopt;
  // The header says where the triggers are. Work items written by the Task
  // Scheduler carry a job signature after them, so the bytes at the very
  // end of the file are not the trigger's; reading them there lost every
  // stored work item's repeat mode and weekdays.
  if (file_size >= kJobFixedSectionSize) {
    char offset[2];
    if (!read_at(22, offset)) return std::nullopt;
    const std::uint64_t first = static_cast<unsigned char>(offset[0]) | (static_cast<unsigned char>(offset[1]) << 8);
    std::array<char, 2 + kJobTriggerSize> block;
    if (first + block.size() <= file_size) {
      if (!read_at(first, block)) return std::nullopt;
      if (block[0] != 0 || block[1] != 0) {
        return StoredTrigger{static_cast<unsigned char>(block[2 + 32]), static_cast<unsigned char>(block[2 + 38])};
      }
    }
  }
  // A file that ends with its only trigger has the same two bytes here.
  char tail[16];
  if (!read_at(file_size - sizeof tail, tail)) return std::nullopt;
  return StoredTrigger{static_cast<unsigned char>(tail[0]), static_cast<unsigned char>(tail[6])};
}

std::optional<StoredTrigger> ReadStoredTrigger(std::string_view bytes) {
  return ReadStoredTrigger(bytes.size(), [bytes](std::uint64_t offset, std::span<char> buffer) {
    if (offset + buffer.size() > bytes.size()) return false;
    bytes.copy(buffer.data(), buffer.size(), static_cast<std::size_t>(offset));
    return true;
  });
}

TaskTrigger ToTaskTrigger(const JobTrigger& stored) {
  TaskTrigger t;
  t.begin_year = stored.begin_year;
  t.begin_month = stored.begin_month;
  t.begin_day = stored.begin_day;
  t.end_year = stored.end_year;
  t.end_month = stored.end_month;
  t.end_day = stored.end_day;
  t.start_hour = stored.start_hour;
  t.start_minute = stored.start_minute;
  t.minutes_duration = stored.minutes_duration;
  t.minutes_interval = stored.minutes_interval;
  t.flags = stored.flags;
  t.type = stored.type;
  if (t.type == 1) t.days_interval = stored.type_data[0];
  if (t.type == 2) {
    t.weeks_interval = stored.type_data[0];
    t.days_of_the_week = stored.type_data[1];
  }
  return t;
}
