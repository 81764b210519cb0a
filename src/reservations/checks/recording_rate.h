#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system_facts.h"
#include "platform/settings_store.h"
#include "reservations/views/reservation_list.h"

// A point of local wall-clock time to the second, since 1 January 1970.
using LocalSecond = std::int64_t;

// The local second a run began, as the Task Scheduler logged it.
LocalSecond LocalSecondOf(const TaskTime& time);

// A recording's file as the checks weigh it: its size, and when it was
// last written in local time, as the runs it is weighed against.
struct OutputFile {
  std::uint64_t size = 0;
  LocalSecond written = 0;
  friend bool operator==(const OutputFile&, const OutputFile&) = default;
};

// Bytes a minute of recording takes with no recording to learn from: a
// terrestrial transport stream, about 17 Mbit/s.
inline constexpr double kDefaultBytesPerMinute = 130e6;

// How many bytes a minute of recording takes in each output folder, learned
// only from recordings judged 正常 and remembered from one reading to the
// next: the median over the folder's newest ten. A failed or doubtful
// recording never teaches, so a week of failures leaves the rate as it was.
class RecordingRates {
 public:
  struct Sample {
    LocalSecond written = 0;  // the recording's file, which tells one recording from another
    std::int64_t bytes_per_minute = 0;
    friend bool operator==(const Sample&, const Sample&) = default;
  };

  // The folder's rate; the default until one good recording is known.
  double BytesPerMinute(std::u16string_view folder) const;
  bool Knows(std::u16string_view folder) const;
  // Keeps what a good recording took; true where that was new.
  bool Learn(std::u16string_view folder, const Sample& sample);

  // By the folder's path key, the newest first.
  const std::map<std::u16string, std::vector<Sample>>& folders() const { return folders_; }
  friend bool operator==(const RecordingRates&, const RecordingRates&) = default;

 private:
  std::map<std::u16string, std::vector<Sample>> folders_;
};

// Where the viewer keeps them: its settings file, section [rates]. What a
// read cannot give back whole is left out; a folder its lines cannot hold
// is never written.
RecordingRates ReadRecordingRates(SettingsStore& store);
void WriteRecordingRates(SettingsStore& store, const RecordingRates& rates);

// What each row's output file is, where there is one: one question a row.
std::vector<std::optional<OutputFile>> OutputFilesOf(const std::vector<ReservationRow>& rows, FileSystemFacts& facts);
