// A reservation of 100 MiB, as a hostile web page could hand one over: its
// reading time beside the time to read the bytes alone, and the peak memory
// the process's own accounting shows while it is read.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <string>

#include "iepg/iepg_reader.h"
#include "platform/file_access.h"
#include "support/temp_folder.h"

namespace {

constexpr std::size_t kFileBytes = 100u << 20;
constexpr char kHeader[] =
    "Content-type: application/x-tv-program-info\r\nversion: 1\r\nstation: S\r\nstart: 21:00\r\nend: 22:00\r\n"
    "program-title: large\r\n";

// Written a mebibyte at a time, so that making it raises no peak of its own.
void WriteLargeReservation(const std::filesystem::path& path, std::string_view line) {
  std::ofstream file(path, std::ios::binary);
  file << kHeader;
  std::string block;
  while (block.size() < (1u << 20)) block += line;
  for (std::size_t written = 0; written < kFileBytes; written += block.size()) file << block;
}

// The kernel's figures for this process, in MiB: "VmRSS" now, "VmHWM" the
// peak since the last reset.
double StatusMiB(std::string_view key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.starts_with(key)) return std::strtod(line.c_str() + key.size() + 1, nullptr) / 1024.0;
  }
  return 0.0;
}
void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

void ReadLargeReservation(benchmark::State& state, std::string_view line) {
  setenv("TZ", "Asia/Tokyo", 1);
  TempFolder folder;
  WriteLargeReservation(folder / "large.tvpi", line);
  const std::u16string path = folder.WindowsPath("large.tvpi");
  IepgReadContext context;
  context.today = {2026, 12, 2, 8, 0, 0, 0};
  const double before = StatusMiB("VmRSS:");
  ResetPeakMemory();
  for (auto _ : state) {
    ProgramInfo info;
    ReservationForm form;
    if (!ReadIepgFile(path, info, form, context)) state.SkipWithError("the reservation was not accepted");
  }
  state.counters["rss_before_MiB"] = before;
  state.counters["peak_rss_MiB"] = StatusMiB("VmHWM:");
}

// Line feeds after the header: the first one ends the header block.
void BM_Read100MiBOfLineFeeds(benchmark::State& state) { ReadLargeReservation(state, "\n"); }
BENCHMARK(BM_Read100MiBOfLineFeeds)->Unit(benchmark::kMillisecond);

// Header lines to the end: every byte has to be read.
void BM_Read100MiBOfHeaderLines(benchmark::State& state) { ReadLargeReservation(state, "genre: 3\r\n"); }
BENCHMARK(BM_Read100MiBOfHeaderLines)->Unit(benchmark::kMillisecond);

// A work item named again and again: each line undoes the one before it, so
// the work item's file is looked at once, and the lines cost what other
// repeated keys of their length cost.
void BM_Read100MiBOfTaskNameLines(benchmark::State& state) { ReadLargeReservation(state, "TASKNAME: Rec1.job\r\n"); }
BENCHMARK(BM_Read100MiBOfTaskNameLines)->Unit(benchmark::kMillisecond);
void BM_Read100MiBOfTitleLines(benchmark::State& state) { ReadLargeReservation(state, "program-title: Rec\r\n"); }
BENCHMARK(BM_Read100MiBOfTitleLines)->Unit(benchmark::kMillisecond);

// The same bytes read and thrown away: the floor for reading them at all.
void BM_Read100MiBFromDisk(benchmark::State& state) {
  TempFolder folder;
  WriteLargeReservation(folder / "large.tvpi", "genre: 3\r\n");
  const std::u16string path = folder.WindowsPath("large.tvpi");
  std::array<char, 65536> block;
  for (auto _ : state) {
    auto file = InputFile::Open(path);
    while (file && file->Read(block) > 0) {
    }
  }
}
BENCHMARK(BM_Read100MiBFromDisk)->Unit(benchmark::kMillisecond);

}  // namespace
