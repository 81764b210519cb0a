// Any stored work item handed to Halvorn by 編集 and registered there
// without a change comes back byte for byte, but for what the Task
// Scheduler rewrites on every save and a series' begin date, with Halvorn's
// settings untouched; or 編集 refuses it with a reason.
#include <algorithm>
#include <cstring>
#include <random>

#include "fuzz/fuzz_input.h"
#include "scheduler/work_item_name.h"
#include "support/hand_back_bench.h"

namespace {

template <class Number>
Number Take(const std::uint8_t*& data, std::size_t& size) {
  Number value{};
  const std::size_t taken = std::min(size, sizeof value);
  std::memcpy(&value, data, taken);
  data += taken;
  size -= taken;
  return value;
}

const std::u16string kRecorders[] = {u"C:\\tv\\cap_sts.exe", u"C:\\TV\\CAP_STS_BS.EXE", u"C:\\other\\cap_sts.exe"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static HandBackBench bench;
  const auto choices = Take<std::uint64_t>(data, size);
  const auto flags = Take<std::uint32_t>(data, size);
  const auto end = Take<std::uint16_t>(data, size);
  // The texts: name, folder, extension, tuner, channel, encoder, and, where
  // given, whole parameters instead of the composed ones.
  const std::vector<std::u16string> texts = FuzzInput{data, size}.Fields(7);

  StoredShape shape;
  shape.application = kRecorders[choices % 3];
  shape.folder = texts[1];
  shape.fileext = texts[2];
  shape.switches = static_cast<unsigned>(choices >> 8) & 0xFF;
  shape.encoder = texts[5];
  shape.flags = flags;
  shape.trigger_flags = static_cast<std::uint32_t>(choices >> 16) & 0x7;
  shape.end = {static_cast<std::uint16_t>(2026 + (end >> 12) % 3), static_cast<std::uint16_t>((end >> 5) % 13),
               static_cast<std::uint16_t>(end % 32)};
  const int type = static_cast<int>((choices >> 24) % 4);
  const int window_start = static_cast<int>((choices >> 32) % kMinutesPerDay);
  JobFile job = HalvornMadeJob(texts[3], texts[4], type, window_start, HandBackBench::kLead, shape);
  if (!texts[6].empty()) job.parameters = texts[6];
  std::mt19937_64 others(choices ^ (std::uint64_t{flags} << 32 | end));
  GiveOtherParts(job, others);

  const std::u16string name = texts[0].empty() ? u"番組" : texts[0];
  // The name becomes a file beside the fuzzer's own: one it can hold.
  const bool file_name =
      std::none_of(name.begin(), name.end(), [](char16_t c) { return c < u' ' || (c >= 0xD800 && c <= 0xDFFF); });
  if (!file_name || !NamesAWorkItemFile(name + u".job")) return 0;
  bench.Store(name, job);
  const HandBackBench::RoundTrip trip = bench.HandBack(name);
  bench.scheduler.Remove(name);
  if (!trip.refused && !trip.fault.empty()) __builtin_trap();
  return 0;
}
