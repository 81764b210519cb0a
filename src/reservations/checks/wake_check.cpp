#include "reservations/checks/wake_check.h"

#include <algorithm>

#include "scheduler/trigger_schedule.h"

WakeWarning DecideWakeWarning(const PowerReadings& readings) {
  if (!readings.scheme_read || !readings.wake_timers_ac) return WakeWarning::None;
  if (readings.has_battery && !readings.wake_timers_dc) return WakeWarning::None;
  // "Allow wake timers": 0 disabled, 1 enabled, 2 important wake timers only.
  const auto is = [&readings](unsigned value) {
    return *readings.wake_timers_ac == value || (readings.has_battery && *readings.wake_timers_dc == value);
  };
  if (is(0)) return WakeWarning::WakeTimersOff;
  if (is(2)) return WakeWarning::ImportantTimersOnly;
  if (readings.sleeps_in_s3 == false && readings.always_on_always_connected == true) return WakeWarning::ModernStandby;
  return WakeWarning::None;
}

std::u16string WakeWarningText(WakeWarning warning) {
  switch (warning) {
    case WakeWarning::WakeTimersOff:
      return u"スリープ解除タイマーが無効なため、スリープ中の PC は録画時刻に起動しません。"
             u"電源オプションの「スリープ解除タイマーの許可」を有効にしてください。";
    case WakeWarning::ImportantTimersOnly:
      return u"スリープ解除タイマーが「重要なスリープ解除タイマーのみ」のため、スリープ中の PC "
             u"は録画時刻に起動しません。"
             u"電源オプションの「スリープ解除タイマーの許可」を「有効」にしてください。";
    case WakeWarning::ModernStandby:
      return u"この PC はモダンスタンバイのため、スリープ中に録画予約で起動できないことがあります。";
    case WakeWarning::None:
      break;
  }
  return {};
}

bool AsksToWake(const ReservationRow& row) {
  return !IsDormant(row) && (row.item.flags & kTaskFlagSystemRequired) != 0;
}

bool AnyReservationWakes(const std::vector<ReservationRow>& rows) {
  return std::any_of(rows.begin(), rows.end(), AsksToWake);
}
