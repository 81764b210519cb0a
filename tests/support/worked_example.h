#pragma once

#include "model/reservation_form.h"

// The worked example of the recorder command: a typical profile recording
// channel 101 from 21:00 to 21:54 with tuner 2 and an encoder preset.
inline ReservationForm WorkedExampleForm() {
  ReservationForm form;
  form.cap_sts_path = u"C:\\tv\\cap_sts.exe";
  form.folder = u"D:\\rec";
  form.file_name = u"news";
  form.fileext = u".ts";
  form.id = u"2";
  form.channel = u"101";
  form.vlc_parm = u"vlc:mpeg4";
  form.flags[rmc] = form.flags[power_on] = form.flags[bcs] = form.flags[b25] = form.flags[vlc] = form.flags[power_off] =
      1;
  return form;
}
