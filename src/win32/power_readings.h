#pragma once

#include "reservations/checks/wake_check.h"

namespace win32 {

// What this PC's power settings say about waking to record.
PowerReadings ReadPowerReadings();

}  // namespace win32
