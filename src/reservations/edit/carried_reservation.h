#pragma once

#include <optional>
#include <string>

#include "model/recording_profile.h"
#include "model/reservation_form.h"
#include "reservations/stored/stored_work_items.h"
#include "scheduler/registration.h"

// A stored recording reservation as Halvorn's form holds it when the
// reservation is handed back to be changed: the profile whose recorder it
// runs, the values of that profile's controls and of the task's check boxes
// that compose the same work item again, and what no control shows.
struct CarriedReservation {
  int profile = 0;
  std::u16string cap_sts_path;
  std::u16string folder;
  std::u16string file_name;  // the recording's file name, without its folder and extension
  std::u16string fileext;
  std::u16string id;
  std::u16string vlc_parm;
  ProfileFlags flags{};
  int del_task = 0;
  int resume = 0;
  KeptWorkItemParts kept;
};

// How a stored work item goes through Halvorn's form and comes back the
// same, or the one line that tells the user why it cannot.
struct CarryOutcome {
  std::optional<CarriedReservation> carried;
  std::u16string why_not;
};
CarryOutcome CarryThroughForm(const StoredWorkItem& item, const ProfileArray& profiles, int profile_count);

// Puts the carried values into the form for this registration: the
// recorder's controls, wake and delete-when-done, and the parts no control
// shows. The file name stays the reservation's own.
void ApplyCarried(const CarriedReservation& carried, ReservationForm& form);

// The stored reservation's recorder command on another profile's tuner, as
// Halvorn composes it when, within 編集, that profile's tab is clicked and
// 登録 pressed with nothing else changed: that profile's recorder, tuner,
// folder, extension and switches, with the reservation's own file name,
// channel and window. Nothing where the reservation cannot be carried
// through the form, or `profile` is not one in use.
std::optional<StoredReservationChange::RecorderCommand> CommandOnProfile(const StoredWorkItem& item,
                                                                         const ProfileArray& profiles,
                                                                         int profile_count, int profile);
