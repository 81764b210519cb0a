#pragma once

#include <optional>
#include <string>

#include "model/fixed_text.h"
#include "scheduler/job_file.h"

// What one accepted iEPG reservation file says about a broadcast.
struct ProgramInfo {
  int version = 0;
  FixedText<80> station;
  FixedText<80> station_name;  // the broadcaster's name, as TV viewers add it
  int year = 0;                // 0: not given
  int month = 0;               // 0: not given
  int date = 0;                // 0: not given
  int start_hour = kNoHour;
  int start_min = 0;
  int end_hour = kNoHour;
  int end_min = 0;
  int ext_end_hour = 0;
  int ext_end_min = 0;
  FixedText<80> program_title;
  FixedText<80> program_subtitle;
  FixedText<80> performer;
  int genre = 0;
  int subgenre = 0;
  int extend = 0;              // minutes added to the end; 0: none
  std::u16string description;  // at most kMaxDescription characters
  FixedText<80> task_name;     // a registered work item, without ".job"
  int trigger_days = 0;        // bit 0 Sunday .. bit 6 Saturday
  // The channel command itself, when the file names one ("CHANNEL: "): a
  // reservation handed back by the viewer carries its stored channel, which
  // need not be in the channel table.
  std::optional<std::u16string> channel;
  bool tuner_given = false;  // "FX2ID: " gave the form a tuner ID
  // The stored work item that "TASKNAME: " names and registering would
  // replace, read from its file; unreadable when the file is there but is
  // no work item that can be read.
  std::optional<JobFile> named_item;
  bool named_item_unreadable = false;

  static constexpr int kNoHour = 255;
  static constexpr std::size_t kMaxDescription = 65534;
};
