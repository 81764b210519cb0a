#pragma once

#include <optional>
#include <string>
#include <vector>

#include "reservations/views/reservation_list.h"

// What the platform says about waking from sleep; nothing where it could
// not be read.
struct PowerReadings {
  bool scheme_read = false;                // the active power scheme was found
  std::optional<unsigned> wake_timers_ac;  // "allow wake timers" on mains power
  std::optional<unsigned> wake_timers_dc;  // the same on battery
  bool has_battery = false;
  std::optional<bool> sleeps_in_s3;                // the capabilities: S3 sleep
  std::optional<bool> always_on_always_connected;  // and Modern Standby
};

enum class WakeWarning { None, WakeTimersOff, ImportantTimersOnly, ModernStandby };

// Whether a reservation that should wake the PC may sleep through: wake
// timers switched off, or allowed for the system's important timers only
// (a scheduled recording is none of them), or a PC that only has Modern
// Standby. Where the
// platform cannot say, nothing: no false alarm.
WakeWarning DecideWakeWarning(const PowerReadings& readings);
std::u16string WakeWarningText(WakeWarning warning);

// Whether a reservation that will still record asks to wake the PC.
bool AsksToWake(const ReservationRow& row);
// Whether any listed reservation does.
bool AnyReservationWakes(const std::vector<ReservationRow>& rows);
