#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system_facts.h"
#include "reservations/views/reservation_list.h"

// A recording's file as the checks weigh it: its size, and when it was
// last written in local time, as the runs it is weighed against.
struct OutputFile {
  std::uint64_t size = 0;
  LocalMinute written = 0;
  friend bool operator==(const OutputFile&, const OutputFile&) = default;
};

// Bytes a minute of recording takes with no recording to learn from: a
// terrestrial transport stream, about 17 Mbit/s.
inline constexpr double kDefaultBytesPerMinute = 130e6;

// How many bytes a minute of recording takes, learned from the files the
// reservations of one output folder left: the median over the newest ten
// whose file is there and whose recording's length is known.
class RecordingRates {
 public:
  // `files[i]` is what rows[i]'s output file is, where one is there.
  RecordingRates(const std::vector<ReservationRow>& rows, const std::vector<std::optional<OutputFile>>& files);

  // The rate of the folder's recordings, leaving out the file of one row
  // where it is judged by the others.
  double BytesPerMinute(std::u16string_view folder, std::optional<std::size_t> leaving_out = std::nullopt) const;

 private:
  struct Sample {
    std::int64_t written = 0;
    double rate = 0;
    std::size_t row = 0;
  };
  std::map<std::u16string, std::vector<Sample>> samples_;  // by folded folder, the newest first
};

// What each row's output file is, where there is one: one question a row.
std::vector<std::optional<OutputFile>> OutputFilesOf(const std::vector<ReservationRow>& rows, FileSystemFacts& facts);
