#pragma once

#include <initializer_list>

#include "model/recording_profile.h"

// Profiles in tab order, each a title, a recorder and a tuner ID.
struct ProfileRow {
  const char16_t* title;
  const char16_t* recorder;
  const char16_t* id;
};

inline ProfileArray Profiles(std::initializer_list<ProfileRow> rows) {
  ProfileArray profiles{};
  std::size_t i = 0;
  for (const ProfileRow& row : rows) {
    profiles[i].title = row.title;
    profiles[i].cap_sts_path = row.recorder;
    profiles[i].id = row.id;
    ++i;
  }
  return profiles;
}
