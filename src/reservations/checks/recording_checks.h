#pragma once

#include <optional>
#include <vector>

#include "platform/file_system_facts.h"
#include "reservations/checks/recording_rate.h"
#include "reservations/views/reservation_list.h"

// Marks in each row what it needs to record and lacks, where it will still
// record, and what its last run that the recorder ended with code 0 left:
// a file written since the run started, of at least a quarter of what the
// minutes that ran make at its folder's rate. A run still recording, and a
// folder the file system gave no answer for, are not judged.
void CheckRecordings(std::vector<ReservationRow>& rows, const std::vector<std::optional<OutputFile>>& files,
                     const RecordingRates& rates, FileSystemFacts& facts);
