#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "model/fixed_text.h"
#include "model/recording_profile.h"

// Whether the program registers by itself and whether success is announced.
enum class RegistrationMode : int {
  Normal = 0,
  AutoPending = 1,
  Quiet = 2,
  AutoRunning = 3,
};

// Repeat modes of a registration, as the radio group numbers them.
enum Repeat : int { kRepeatOnce = 0, kRepeatDaily = 1, kRepeatWeekly = 2 };

// What a stored work item that a reservation replaces keeps although no
// control shows it, so that replacing it changes only what the user
// changed: its flags besides wake and delete-when-done (switched off among
// them), and its trigger's flags, end date, duration and interval.
struct KeptWorkItemParts {
  std::uint32_t flags = 0;
  std::uint32_t trigger_flags = 0;
  std::uint16_t end_year = 0, end_month = 0, end_day = 0;
  std::uint32_t minutes_duration = 0;
  std::uint32_t minutes_interval = 0;
};

// Every value the main dialog shows, plus the composed recorder command.
// The five profile texts and the eight profile flags are a working copy of
// the selected profile.
struct ReservationForm {
  std::u16string cap_sts_path;
  std::u16string folder;
  std::u16string file_name = u"test";
  std::u16string fileext = u".ts";
  std::u16string channel;
  std::u16string id;
  std::u16string command_preview;
  std::u16string vlc_parm;
  ProfileFlags flags{};

  int subtitle = 1;
  int extend = 0;
  int parentheses = 0;

  std::u16string registration_name;
  int repeat = kRepeatOnce;
  std::u16string account;
  std::u16string pass;
  std::u16string pass_confirm;
  int del_task = 0;
  int resume = 0;
  int autoclose = 0;
  int delete_same_name = 0;
  // Slot 0 Sunday to slot 6 Saturday; slot 7 has no box and mirrors Sunday
  // while a weekly trigger is built.
  std::array<int, 8> weekdays{};
  int start_weekday = -1;

  std::u16string name_without_subtitle = u"test";
  std::u16string name_with_subtitle = u"test";
  // [0] the reserved end, [1] the end with the extension; seconds since the epoch.
  std::array<std::int64_t, 2> end_times{};
  RegistrationMode registration_mode = RegistrationMode::Normal;
  int offset_min = 1;

  FixedText<256> application_name;
  FixedText<768> parameters;

  // Set while the form replaces a stored work item whose other parts come back.
  std::optional<KeptWorkItemParts> kept;
};

// Copies between the form and one profile record. Texts are cut to the
// record's capacity; the title is the tab's and is not touched.
void StoreProfileValues(const ReservationForm& form, RecordingProfile& profile);
void LoadProfileValues(const RecordingProfile& profile, ReservationForm& form);

// Writes into `profile` only the values that differ between `before` and
// `after`, each text and each flag on its own.
void StoreChangedProfileValues(const RecordingProfile& before, const RecordingProfile& after,
                               RecordingProfile& profile);
