#include "reservations/checks/recording_rate.h"

#include <algorithm>
#include <charconv>

#include "platform/code_page.h"
#include "platform/local_time.h"
#include "platform/path_key.h"
#include "reservations/rules/number_text.h"

namespace {

constexpr std::size_t kLearnedFrom = 10;
constexpr std::u16string_view kSection = u"rates";

OutputFile OutputFileOf(const FileStamp& stamp) {
  constexpr std::int64_t kTicksPerSecond = 10'000'000;
  const auto written = LocalTimeFromSeconds(stamp.write_time / kTicksPerSecond);
  return {stamp.size, written ? ToLocalMinute(*written) * 60 + written->second : 0};
}

std::u16string Numbered(std::u16string_view key, std::size_t i) {
  return std::u16string(key) + ZeroPadded(static_cast<std::int64_t>(i), 1);
}

// "written:bytes,written:bytes", whole numbers only.
std::u16string SamplesText(const std::vector<RecordingRates::Sample>& samples) {
  std::u16string text;
  for (const auto& sample : samples) {
    if (!text.empty()) text += u",";
    text += ZeroPadded(sample.written, 1) + u":" + ZeroPadded(sample.bytes_per_minute, 1);
  }
  return text;
}

std::optional<std::int64_t> WholeNumber(std::u16string_view text) {
  std::string narrow;
  for (const char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    narrow.push_back(static_cast<char>(c));
  }
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(narrow.data(), narrow.data() + narrow.size(), value);
  if (narrow.empty() || error != std::errc() || end != narrow.data() + narrow.size()) return std::nullopt;
  return value;
}

std::optional<std::vector<RecordingRates::Sample>> ReadSamples(std::u16string_view text) {
  std::vector<RecordingRates::Sample> samples;
  while (!text.empty() && samples.size() < kLearnedFrom) {
    const std::size_t comma = text.find(u',');
    const std::u16string_view one = text.substr(0, comma);
    const std::size_t colon = one.find(u':');
    const auto written = WholeNumber(one.substr(0, colon));
    const auto bytes = colon == std::u16string_view::npos ? std::nullopt : WholeNumber(one.substr(colon + 1));
    if (!written || !bytes) return std::nullopt;
    samples.push_back({*written, *bytes});
    text = comma == std::u16string_view::npos ? std::u16string_view() : text.substr(comma + 1);
  }
  return samples;
}

// The longest value read back from the settings file.
constexpr std::size_t kLineWidth = 1024;

// A folder the settings file can give back as written: no line break,
// nothing the platform would take off its ends, no more than is read back,
// and only what its code page holds.
bool FitsALine(std::u16string_view folder) {
  return !folder.empty() && folder.size() < kLineWidth && folder.front() != u' ' && folder.back() != u' ' &&
         folder.front() != u'"' && std::none_of(folder.begin(), folder.end(), [](char16_t c) { return c < u' '; }) &&
         FitsCodePage932(folder);
}

}  // namespace

LocalSecond LocalSecondOf(const TaskTime& time) {
  return ToLocalMinute(time.year, time.month, time.day, time.hour, time.minute) * 60 + time.second;
}

std::vector<std::optional<OutputFile>> OutputFilesOf(const std::vector<ReservationRow>& rows, FileSystemFacts& facts) {
  std::vector<std::optional<OutputFile>> files;
  files.reserve(rows.size());
  for (const ReservationRow& row : rows) {
    const bool full = !OutputFolderOf(row.recorder.output_path).empty();
    const auto stamp = full ? facts.StampOf(row.recorder.output_path) : std::nullopt;
    files.push_back(stamp ? std::optional(OutputFileOf(*stamp)) : std::nullopt);
  }
  return files;
}

double RecordingRates::BytesPerMinute(std::u16string_view folder) const {
  const auto found = folders_.find(PathKey(folder));
  if (found == folders_.end() || found->second.empty()) return kDefaultBytesPerMinute;
  std::vector<double> rates;
  for (const Sample& sample : found->second) rates.push_back(static_cast<double>(sample.bytes_per_minute));
  std::sort(rates.begin(), rates.end());
  const std::size_t middle = rates.size() / 2;
  return rates.size() % 2 == 1 ? rates[middle] : (rates[middle - 1] + rates[middle]) / 2;
}

bool RecordingRates::Knows(std::u16string_view folder) const {
  const auto found = folders_.find(PathKey(folder));
  return found != folders_.end() && !found->second.empty();
}

bool RecordingRates::Learn(std::u16string_view folder, const Sample& sample) {
  // Only what the settings file can give back: whole numbers, from 1970 on.
  if (sample.written < 0 || sample.bytes_per_minute <= 0) return false;
  std::vector<Sample>& samples = folders_[PathKey(folder)];
  if (std::any_of(samples.begin(), samples.end(), [&](const Sample& s) { return s.written == sample.written; }))
    return false;
  samples.push_back(sample);
  std::stable_sort(samples.begin(), samples.end(),
                   [](const Sample& a, const Sample& b) { return a.written > b.written; });
  if (samples.size() > kLearnedFrom) samples.resize(kLearnedFrom);
  return std::find(samples.begin(), samples.end(), sample) != samples.end();
}

RecordingRates ReadRecordingRates(SettingsStore& store) {
  RecordingRates rates;
  const int count = std::clamp(store.GetInt(kSection, u"count", 0), 0, 1000);
  for (int i = 0; i < count; ++i) {
    const std::u16string folder =
        store.GetString(kSection, Numbered(u"folder", static_cast<std::size_t>(i)), u"", kLineWidth);
    const auto samples =
        ReadSamples(store.GetString(kSection, Numbered(u"samples", static_cast<std::size_t>(i)), u"", kLineWidth));
    if (!FitsALine(folder) || !samples) continue;
    for (const auto& sample : *samples) rates.Learn(folder, sample);
  }
  return rates;
}

void WriteRecordingRates(SettingsStore& store, const RecordingRates& rates) {
  std::size_t written = 0;
  for (const auto& [folder, samples] : rates.folders()) {
    if (!FitsALine(folder) || samples.empty()) continue;
    store.WriteString(kSection, Numbered(u"folder", written), folder);
    store.WriteString(kSection, Numbered(u"samples", written), SamplesText(samples));
    ++written;
  }
  store.WriteString(kSection, u"count", ZeroPadded(static_cast<std::int64_t>(written), 1));
}
