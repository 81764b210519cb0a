#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "model/recording_profile.h"
#include "reservations/rules/occurrences.h"
#include "reservations/rules/recorder_parameters.h"
#include "scheduler/job_file.h"

// A work item as some Halvorn stored it: its recorder, folder, switches,
// flags and end date.
struct StoredShape {
  std::u16string application = u"C:\\tv\\cap_sts.exe";
  std::u16string folder = u"D:\\rec";
  std::u16string fileext = u".ts";
  unsigned switches = 1u << b25;  // one bit per profile flag
  std::u16string encoder = u"-vf x,y";
  std::uint32_t flags = 0x2000;
  std::uint32_t trigger_flags = 0;
  std::array<std::uint16_t, 3> end{};  // year, month, day
};

// The work item of that shape that records "番組" for 30 minutes from
// `window_start` (minutes after midnight) on Monday 21 December 2026, with
// a trigger of `type` started `lead` minutes early; a weekly one on Monday
// and Wednesday.
inline JobFile HalvornMadeJob(const std::u16string& tuner, const std::u16string& channel, int type, int window_start,
                              int lead, const StoredShape& shape = {}) {
  const auto on = [&shape](ProfileFlag flag) { return (shape.switches >> flag & 1u) != 0; };
  JobFile job;
  job.application_name = shape.application;
  job.working_directory = shape.folder;
  std::u16string& p = job.parameters;
  p = u"\"" + shape.folder + u"\\番組" + shape.fileext + u"\"";
  if (!tuner.empty()) p += u" I" + tuner + (on(rmc) ? u" R" + tuner : u"");
  if (on(power_on)) p += u" P";
  p += u" @" + channel + u" " + FormatWindow({window_start, static_cast<int>((window_start + 30) % kMinutesPerDay)});
  for (const auto& [flag, text] : {std::pair{bcs, u" B"}, {b25, u" B25"}, {sel, u" SEL"}}) {
    if (on(flag)) p += text;
  }
  if (on(vlc)) p += u" " + shape.encoder;
  if (on(sus)) p += u" SUSPEND";
  if (on(power_off)) p += u" POFF";
  job.flags = shape.flags;
  const bool crosses_midnight = window_start < lead;
  const fw::CalendarTime begin = ToCalendarTime(ToLocalMinute(2026, 12, 21) + window_start - lead);
  JobTrigger trigger;
  trigger.begin_year = static_cast<std::uint16_t>(begin.year);
  trigger.begin_month = static_cast<std::uint16_t>(begin.month);
  trigger.begin_day = static_cast<std::uint16_t>(begin.day);
  trigger.start_hour = static_cast<std::uint16_t>(begin.hour);
  trigger.start_minute = static_cast<std::uint16_t>(begin.minute);
  trigger.flags = shape.trigger_flags;
  trigger.end_year = shape.end[0];
  trigger.end_month = shape.end[1];
  trigger.end_day = shape.end[2];
  trigger.type = static_cast<std::uint32_t>(type);
  if (type == 1) trigger.type_data = {1, 0, 0};
  if (type == 2) trigger.type_data = {1, static_cast<std::uint16_t>(crosses_midnight ? 0x05 : 0x0A), 0};
  job.triggers.push_back(trigger);
  return job;
}

// What no Halvorn writes, as other programs and the Task Scheduler itself
// leave it on a work item, drawn from `random`: comment, author, priority,
// run limit, idle minutes, retries, user and reserved data, the last run
// and the trigger's repetition.
template <class Random>
void GiveOtherParts(JobFile& job, Random& random) {
  const auto draw = [&random](std::uint32_t below) { return static_cast<std::uint32_t>(random() % below); };
  const auto text = [&draw](std::u16string_view letters) {
    std::u16string drawn(draw(12), u' ');
    for (char16_t& c : drawn) c = letters[draw(static_cast<std::uint32_t>(letters.size()))];
    return drawn;
  };
  job.comment = text(u"録画予約のメモ abc");
  job.author = text(u"DOMAIN\\user");
  job.priority = std::array<std::uint32_t, 4>{0x20, 0x40, 0x80, 0x100}[draw(4)];
  job.maximum_run_time = draw(2) == 0 ? 0xFFFFFFFF : draw(100) * 3600000;
  job.idle_deadline = static_cast<std::uint16_t>(draw(100));
  job.idle_wait = static_cast<std::uint16_t>(draw(100));
  job.error_retry_count = static_cast<std::uint16_t>(draw(5));
  job.error_retry_interval = static_cast<std::uint16_t>(draw(60));
  job.user_data = std::string(draw(16), static_cast<char>(draw(256)));
  job.reserved_data = std::string(draw(2) * 8, static_cast<char>(draw(256)));
  for (JobTrigger& trigger : job.triggers) {
    trigger.minutes_duration = draw(4) * 60;
    trigger.minutes_interval = trigger.minutes_duration == 0 ? 0 : 10;
  }
  job.exit_code = draw(4);
  job.status = std::array<std::uint32_t, 3>{0x41300, 0x41303, 0x41305}[draw(3)];
  job.last_run_time = {2026, 12, 2, 8, static_cast<std::uint16_t>(draw(24)), 59, 0, 0};
  for (auto& byte : job.uuid) byte = static_cast<std::uint8_t>(draw(256));
}
