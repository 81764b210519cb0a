#pragma once

#include <optional>
#include <string>
#include <string_view>

// Minutes from one time of day, in minutes after midnight, to the next
// time the clock shows another: 0 to 1439.
inline int MinutesOnTheClock(int from, int to) {
  constexpr int kDay = 24 * 60;
  return ((to - from) % kDay + kDay) % kDay;
}

// The recording window as the recorder's parameters carry it, in minutes
// after midnight. An end before the start runs into the next day.
struct RecordingWindow {
  int start = 0;
  int end = 0;
  int minutes() const { return MinutesOnTheClock(start, end); }
  friend bool operator==(const RecordingWindow&, const RecordingWindow&) = default;
};

// What a stored work item's parameters say about its recording, read back
// from the string Halvorn composes: "OUTPUT" I<id> R<id> P @<channel>
// HH:MM-HH:MM and the option switches.
struct RecorderParameters {
  std::u16string output_path;             // without its quotes; empty when there is none
  std::optional<RecordingWindow> window;  // nothing: not parameters Halvorn composed
  std::u16string channel;
  // The I switch's value, empty for the default tuner; nothing when the
  // switches before the channel cannot be read.
  std::optional<std::u16string> tuner;
  // More follows the window than Halvorn's own switches (B, B25, SEL,
  // SUSPEND, POFF): an encoder's settings, whose files are no transport
  // stream.
  bool encoded = false;
};

RecorderParameters ReadRecorderParameters(std::u16string_view parameters);

// "HH:MM-HH:MM", as the parameters carry the window.
std::u16string FormatWindow(const RecordingWindow& window);
