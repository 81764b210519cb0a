#include "viewer_app/reservation_reading.h"

#include <algorithm>

#include "iepg/channel_table.h"
#include "platform/executable_folder.h"
#include "platform/local_time.h"
#include "reservations/checks/recording_rate.h"
#include "reservations/stored/stored_work_items.h"
#include "reservations/views/viewer_layout.h"
#include "scheduler/check_work_item.h"
#include "scheduler/work_item_name.h"
#include "settings/settings_file.h"
#include "win32/module_path.h"
#include "win32/private_profile_store.h"
#include "win32/services.h"
#include "win32/wide_text.h"
#include "win32/windows_api.h"

LocalMinute CurrentLocalMinute() {
  const auto now = LocalTimeFromSeconds(win32::Services().Now());
  return now ? ToLocalMinute(*now) : 0;
}

std::wstring TasksFolder() {
  wchar_t root[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"SystemRoot", root, MAX_PATH) == 0) GetWindowsDirectoryW(root, MAX_PATH);
  return std::wstring(root) + L"\\Tasks";
}

std::u16string BesideViewer(std::u16string_view file_name) {
  return FileBesideExecutable(win32::ModulePath(), file_name);
}

HalvornSetup ReadHalvornSetup() {
  win32::PrivateProfileStore store(BesideViewer(kSettingsFileName));
  StoredProfiles stored;
  ReservationForm form;
  ReadSettings(store, stored, form);
  return {stored.profiles, stored.profile_count, form.offset_min, form.parentheses};
}

ReservationReading ReadReservations(TaskSchedulerPlatform& scheduler) {
  ReservationReading reading;
  std::vector<StoredWorkItem> items;
  const WorkItemFileAccess files{win32::Utf16(TasksFolder()), BesideViewer(kWorkItemCacheFileName),
                                 win32::Services().Now()};
  reading.status = ReadStoredWorkItems(scheduler, items, files);
  const std::u16string viewer = win32::ModulePath();
  reading.check_registered = std::any_of(items.begin(), items.end(), [&viewer](const StoredWorkItem& item) {
    return SameWorkItemName(item.name, kCheckWorkItemName) && RunsTheCheck(item.application, viewer);
  });
  ChannelTable channels;
  LoadChannelTableFile(BesideViewer(u"channel.txt"), channels);
  reading.halvorn = ReadHalvornSetup();
  const HalvornSetup& halvorn = reading.halvorn;
  reading.at = CurrentLocalMinute();
  reading.rows =
      ListReservations(items, RecorderPathsOf(halvorn.profiles, halvorn.profile_count), channels, reading.at);
  NameTunersAfterProfiles(reading.rows, halvorn.profiles, halvorn.profile_count);
  return reading;
}

ReadingChecks CheckAndLearn(std::vector<ReservationRow>& rows, FileSystemFacts& facts, LocalMinute now) {
  // What a minute of recording takes in each folder, learned only from good
  // recordings, is kept in the viewer's settings from one reading to the next.
  win32::PrivateProfileStore store(BesideViewer(kViewerSettingsFileName));
  RecordingRates rates = ReadRecordingRates(store);
  ReadingChecks checks = CheckReading(rows, rates, facts, now);
  if (checks.learned) WriteRecordingRates(store, rates);
  return checks;
}
