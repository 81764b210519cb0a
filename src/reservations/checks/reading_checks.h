#pragma once

#include <vector>

#include "reservations/checks/file_system_answers.h"
#include "reservations/checks/disk_room.h"
#include "reservations/checks/recording_rate.h"
#include "reservations/views/reservation_list.h"

// One reading's checks, as every view makes them: what each recording
// needs and what its last run left, judged by the rates learned so far,
// which then learn from the runs judged 正常; and the volumes short of room
// at the rates so learned. `learned` says whether the rates changed.
struct ReadingChecks {
  std::vector<DiskShortfall> shortfalls;
  bool learned = false;
};
ReadingChecks CheckReading(std::vector<ReservationRow>& rows, RecordingRates& rates, FileSystemFacts& facts,
                           LocalMinute now);

// What those checks will ask of the file system, each question once, so
// that the questions can be answered together, away from the window.
FileSystemQuestions QuestionsOfReading(std::vector<ReservationRow> rows, RecordingRates rates, LocalMinute now);
