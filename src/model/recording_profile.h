#pragma once

#include <array>
#include <cstdint>

#include "model/fixed_text.h"

// The eight option switches of a profile, in their order in memory and in
// every copy between profile and form. The settings file names them in
// another order; this one never changes.
enum ProfileFlag : int {
  power_on = 0,
  power_off = 1,
  bcs = 2,
  b25 = 3,
  sel = 4,
  sus = 5,
  vlc = 6,
  rmc = 7,
};
inline constexpr int kProfileFlagCount = 8;

using ProfileFlags = std::array<std::int32_t, kProfileFlagCount>;

// One tab's recorder set-up.
struct RecordingProfile {
  FixedText<50> title;          // the tab's caption
  FixedText<256> cap_sts_path;  // the recorder executable
  FixedText<256> folder;        // where recordings are written
  FixedText<10> id;             // tuner ID as text
  FixedText<30> vlc_parm;       // encoder parameter text
  FixedText<10> fileext;        // recording file extension, dot included
  ProfileFlags flags{};
  friend bool operator==(const RecordingProfile&, const RecordingProfile&) = default;
};

// The profile set: room for ten records, of which 1 to 9 are in use.
inline constexpr int kProfileSlots = 10;
inline constexpr int kMaxProfiles = 9;
using ProfileArray = std::array<RecordingProfile, kProfileSlots>;
