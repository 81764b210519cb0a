#include "reservations/wake_check.h"

#include <algorithm>

#include "scheduler/trigger_schedule.h"

WakeWarning DecideWakeWarning(const PowerReadings& readings) {
  if (!readings.scheme_read || !readings.wake_timers_ac) return WakeWarning::None;
  if (readings.has_battery && !readings.wake_timers_dc) return WakeWarning::None;
  if (*readings.wake_timers_ac == 0 || (readings.has_battery && *readings.wake_timers_dc == 0)) {
    return WakeWarning::WakeTimersOff;
  }
  if (readings.sleeps_in_s3 == false && readings.always_on_always_connected == true) return WakeWarning::ModernStandby;
  return WakeWarning::None;
}

std::u16string WakeWarningText(WakeWarning warning) {
  switch (warning) {
    case WakeWarning::WakeTimersOff:
      return u"スリープ解除タイマーが無効なため、スリープ中の PC は録画時刻に起動しません。"
             u"電源オプションの「スリープ解除タイマーの許可」を有効にしてください。";
    case WakeWarning::ModernStandby:
      return u"この PC はモダンスタンバイのため、スリープ中に録画予約で起動できないことがあります。";
    case WakeWarning::None:
      break;
  }
  return {};
}

bool AnyReservationWakes(const std::vector<ReservationRow>& rows) {
  return std::any_of(rows.begin(), rows.end(), [](const ReservationRow& row) {
    return !IsDormant(row) && (row.item.flags & kTaskFlagSystemRequired) != 0;
  });
}
