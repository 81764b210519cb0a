#pragma once

#include <optional>
#include <vector>

#include "platform/file_system_facts.h"
#include "reservations/checks/recording_rate.h"
#include "reservations/views/reservation_list.h"

// Marks in each row what it needs to record and lacks, where it will still
// record, and what its last run that the recorder ended with code 0 left:
// a file written since the run began, to the second, of at least a quarter
// of what the minutes that ran make at its folder's learned rate. A run
// still recording, a folder the file system gave no answer for and a
// reservation whose parameters Halvorn did not compose are not judged. A
// recording through an encoder is judged by its file alone: its size is
// no transport stream's.
void CheckRecordings(std::vector<ReservationRow>& rows, const std::vector<std::optional<OutputFile>>& files,
                     const RecordingRates& rates, FileSystemFacts& facts);

// What the runs judged 正常 teach their folders; true where the rates changed.
bool LearnFromGoodRecordings(const std::vector<ReservationRow>& rows,
                             const std::vector<std::optional<OutputFile>>& files, RecordingRates& rates);
