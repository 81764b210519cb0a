#include <algorithm>
#include <cmath>
#include <string>

#include "compose/c_numbers.h"
#include "dialog/halvorn2_dlg.h"
#include "resource.h"

void CHalvorn2Dlg::OnFormChange() {
  UpdateData(true);
  fw::ComboBox& presets = window().Combo(IDC_ENCODER_PRESETS);
  const int preset = presets.GetCurSel();
  if (preset >= 0) form.vlc_parm = presets.GetLBText(preset);
  StoreProfile();
  ComposeCommandLine();
}

void CHalvorn2Dlg::OnWeekdayClicked() {
  UpdateData(true);
  // The start date's own weekday cannot be switched off.
  if (form.start_weekday >= 0) form.weekdays[static_cast<size_t>(form.start_weekday)] = 1;
  UpdateData(false);
}

void CHalvorn2Dlg::OnTimeChange() {
  UpdateData(true);
  ComposeCommandLine();
}

void CHalvorn2Dlg::OnIdSpin(fw::Notification& notification) {
  UpdateData(true);
  ComposeCommandLine();
  // The spin has no buddy and no range of its own: the tuner ID is always one
  // digit, stepped from whatever the edit holds.
  double value = form.id.empty() ? -1.0 : std::trunc(ReadDecimal(form.id));
  value = std::clamp(value + notification.delta, 0.0, 9.0);
  form.id = std::u16string(1, static_cast<char16_t>(u'0' + static_cast<int>(value)));
  ComposeCommandLine();
}

void CHalvorn2Dlg::OnExtend() {
  UpdateData(true);
  ComposeCommandLine();
  ShowEndTime();
  ComposeCommandLine();
}

void CHalvorn2Dlg::OnEncoderCloseUp() {
  OnFormChange();
  OnExtend();
}
