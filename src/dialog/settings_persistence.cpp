// The settings file: everything the user set up survives a restart.
#include "dialog/halvorn2_dlg.h"
#include "resource.h"
#include "settings/settings_file.h"

void CHalvorn2Dlg::LoadSettings() {
  StoredProfiles stored;
  ReadSettings(*services_.OpenSettings(BesideExecutable(kSettingsFileName)), stored, form);
  profiles = stored.profiles;
  profile_count = stored.profile_count;
  fw::TabControl& tabs = window().Tab(IDC_PROFILE_TABS);
  for (int i = 0; i < profile_count; ++i) tabs.InsertItem(i, profiles[static_cast<size_t>(i)].title);
  tabs.SetCurSel(stored.cursor);
}

void CHalvorn2Dlg::SaveSettings() {
  StoredProfiles stored;
  stored.profiles = profiles;
  stored.profile_count = profile_count;
  stored.cursor = SelectedProfile();
  WriteSettings(*services_.OpenSettings(BesideExecutable(kSettingsFileName)), stored, form);
}
