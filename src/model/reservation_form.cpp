#include "model/reservation_form.h"

void StoreProfileValues(const ReservationForm& form, RecordingProfile& profile) {
  profile.cap_sts_path = form.cap_sts_path;
  profile.folder = form.folder;
  profile.fileext = form.fileext;
  profile.id = form.id;
  profile.vlc_parm = form.vlc_parm;
  profile.flags = form.flags;
}

void LoadProfileValues(const RecordingProfile& profile, ReservationForm& form) {
  form.cap_sts_path = profile.cap_sts_path.str();
  form.folder = profile.folder.str();
  form.fileext = profile.fileext.str();
  form.id = profile.id.str();
  form.vlc_parm = profile.vlc_parm.str();
  form.flags = profile.flags;
}

void StoreChangedProfileValues(const RecordingProfile& before, const RecordingProfile& after,
                               RecordingProfile& profile) {
  if (after.cap_sts_path != before.cap_sts_path) profile.cap_sts_path = after.cap_sts_path;
  if (after.folder != before.folder) profile.folder = after.folder;
  if (after.fileext != before.fileext) profile.fileext = after.fileext;
  if (after.id != before.id) profile.id = after.id;
  if (after.vlc_parm != before.vlc_parm) profile.vlc_parm = after.vlc_parm;
  for (int flag = 0; flag < kProfileFlagCount; ++flag) {
    const auto slot = static_cast<std::size_t>(flag);
    if (after.flags[slot] != before.flags[slot]) profile.flags[slot] = after.flags[slot];
  }
}
