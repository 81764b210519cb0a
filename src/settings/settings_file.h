#pragma once

#include "model/recording_profile.h"
#include "model/reservation_form.h"
#include "platform/settings_store.h"

inline constexpr std::u16string_view kSettingsFileName = u"Halvorn_setting.ini";

// What the settings file holds besides the form values: the profiles, how
// many are in use, and the selected tab.
struct StoredProfiles {
  ProfileArray profiles{};
  int profile_count = 1;
  int cursor = 0;
};

// Reads every key, with the defaults and widths of a missing key or file,
// and clamps the count, the cursor and the start lead.
void ReadSettings(SettingsStore& store, StoredProfiles& stored, ReservationForm& form);

// Writes every key of the layout, profiles 0 to profile_count - 1. Sections
// of profiles beyond the count are left as they are.
void WriteSettings(SettingsStore& store, const StoredProfiles& stored, const ReservationForm& form);
