#include "reservations/rules/recorder_parameters.h"

#include <algorithm>
#include <iterator>

#include "reservations/rules/number_text.h"

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

int TwoDigits(std::u16string_view text, std::size_t at) { return (text[at] - u'0') * 10 + (text[at + 1] - u'0'); }

// The window as the parameters carry it, a digit standing for each 0.
constexpr std::u16string_view kShape = u" 00:00-00:00";

// " HH:MM-HH:MM" at `at`, standing alone: at the end or before a blank.
std::optional<RecordingWindow> WindowAt(std::u16string_view text, std::size_t at) {
  if (at + kShape.size() > text.size()) return std::nullopt;
  for (std::size_t i = 0; i < kShape.size(); ++i) {
    const char16_t c = text[at + i];
    if (kShape[i] == u'0' ? !IsDigit(c) : c != kShape[i]) return std::nullopt;
  }
  const std::size_t after = at + kShape.size();
  if (after < text.size() && text[after] != u' ') return std::nullopt;
  const int start_hour = TwoDigits(text, at + 1), start_minute = TwoDigits(text, at + 4);
  const int end_hour = TwoDigits(text, at + 7), end_minute = TwoDigits(text, at + 10);
  if (start_hour > 23 || end_hour > 23 || start_minute > 59 || end_minute > 59) return std::nullopt;
  return RecordingWindow{start_hour * 60 + start_minute, end_hour * 60 + end_minute};
}

// The tuner of the switches between the output path and the channel:
// nothing, or " I<id>", then " R<id>" with the same id, then " P".
std::optional<std::u16string> ReadTuner(std::u16string_view switches) {
  if (switches.ends_with(u" P")) switches.remove_suffix(2);
  if (switches.empty()) return std::u16string();
  if (!switches.starts_with(u" I")) return std::nullopt;
  const std::u16string_view id = switches.substr(2);
  // " I2 R2": the remote switch repeats the tuner's ID.
  if (id.size() >= 2 && id.size() % 2 == 0) {
    const std::size_t half = (id.size() - 2) / 2;
    if (id.substr(half, 2) == u" R" && id.substr(0, half) == id.substr(half + 2))
      return std::u16string(id.substr(0, half));
  }
  return std::u16string(id);
}

// Any word after the window but Halvorn's own switches.
bool CarriesAnEncoder(std::u16string_view switches) {
  constexpr std::u16string_view kOwn[] = {u"B", u"B25", u"SEL", u"SUSPEND", u"POFF"};
  while (!switches.empty()) {
    const std::size_t start = switches.find_first_not_of(u' ');
    if (start == std::u16string_view::npos) return false;
    switches.remove_prefix(start);
    const std::u16string_view word = switches.substr(0, switches.find(u' '));
    if (std::find(std::begin(kOwn), std::end(kOwn), word) == std::end(kOwn)) return true;
    switches.remove_prefix(word.size());
  }
  return false;
}

}  // namespace

RecorderParameters ReadRecorderParameters(std::u16string_view parameters) {
  RecorderParameters read;
  std::u16string_view rest = parameters;
  if (rest.starts_with(u'"')) {
    const std::size_t closing = rest.find(u'"', 1);
    if (closing == std::u16string_view::npos) return read;
    read.output_path = rest.substr(1, closing - 1);
    rest.remove_prefix(closing + 1);
  }
  const std::size_t channel_switch = rest.find(u" @");
  if (channel_switch == std::u16string_view::npos) return read;
  const std::size_t channel = channel_switch + 2;
  for (std::size_t at = channel; at < rest.size(); ++at) {
    if (const auto window = WindowAt(rest, at)) {
      read.window = window;
      read.channel = rest.substr(channel, at - channel);
      read.tuner = ReadTuner(rest.substr(0, channel_switch));
      read.encoded = CarriesAnEncoder(rest.substr(at + kShape.size()));
      return read;
    }
  }
  return read;
}

std::u16string FormatWindow(const RecordingWindow& window) {
  return ClockText(window.start) + u"-" + ClockText(window.end);
}
