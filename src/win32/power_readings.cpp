#include "win32/power_readings.h"

#include "win32/windows_api.h"
#include <powrprof.h>

#include <cstddef>

namespace win32 {

namespace {

// The sleep settings' group, and its "allow wake timers".
constexpr GUID kSleepSubgroup = {0x238c9fa8, 0x0aad, 0x41ed, {0x83, 0xf4, 0x97, 0xbe, 0x24, 0x2c, 0x8f, 0x20}};
constexpr GUID kAllowWakeTimers = {0xbd3b718a, 0x0680, 0x4d9d, {0x8a, 0xb2, 0xe1, 0xd2, 0xb4, 0xac, 0x80, 0x6d}};

// mingw's SYSTEM_POWER_CAPABILITIES still calls the three bytes after
// FastSystemS4 spare2; the platform's own header has Hiberboot,
// WakeAlarmPresent and AoAc there, so Modern Standby is the third.
bool AlwaysOnAlwaysConnected(const SYSTEM_POWER_CAPABILITIES& capabilities) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(&capabilities);
  return bytes[offsetof(SYSTEM_POWER_CAPABILITIES, spare2) + 2] != 0;
}

}  // namespace

PowerReadings ReadPowerReadings() {
  PowerReadings readings;
  GUID* scheme = nullptr;
  if (PowerGetActiveScheme(nullptr, &scheme) != ERROR_SUCCESS || scheme == nullptr) return readings;
  readings.scheme_read = true;
  DWORD value = 0;
  if (PowerReadACValueIndex(nullptr, scheme, &kSleepSubgroup, &kAllowWakeTimers, &value) == ERROR_SUCCESS) {
    readings.wake_timers_ac = value;
  }
  if (PowerReadDCValueIndex(nullptr, scheme, &kSleepSubgroup, &kAllowWakeTimers, &value) == ERROR_SUCCESS) {
    readings.wake_timers_dc = value;
  }
  LocalFree(scheme);
  SYSTEM_POWER_STATUS status{};
  // 128: no system battery; 255: unknown.
  readings.has_battery = GetSystemPowerStatus(&status) && status.BatteryFlag != 128 && status.BatteryFlag != 255;
  SYSTEM_POWER_CAPABILITIES capabilities{};
  if (GetPwrCapabilities(&capabilities)) {
    readings.sleeps_in_s3 = capabilities.SystemS3 != 0;
    readings.always_on_always_connected = AlwaysOnAlwaysConnected(capabilities);
  }
  return readings;
}

}  // namespace win32
