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
