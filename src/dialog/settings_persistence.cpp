// The settings file: everything the user set up survives a restart.
#include "dialog/halvorn2_dlg.h"
#include "resource.h"
#include "settings/settings_file.h"

void CHalvorn2Dlg::LoadSettings() {
  StoredProfiles stored;
  ReadSettings(*services_.OpenSettings(BesideExecutable(kSettingsFileName)), stored, form);
  settled_account_ = form.account;
  settled_pass_ = form.pass;
  profiles = stored.profiles;
  profile_count = stored.profile_count;
  fw::TabControl& tabs = window().Tab(IDC_PROFILE_TABS);
  for (int i = 0; i < profile_count; ++i) tabs.InsertItem(i, profiles[static_cast<size_t>(i)].title);
  tabs.SetCurSel(stored.cursor);
}

std::optional<std::u16string> CHalvorn2Dlg::SaveSettings() {
  StoredProfiles stored;
  stored.profiles = profiles;
  stored.profile_count = profile_count;
  stored.cursor = SelectedProfile();
  // A reservation handed back to be changed leaves the user's own choices
  // as they were, unless the user changed them.
  ReservationForm saved = form;
  if (handed_back_) {
    stored.cursor = handed_back_->cursor;
    if (form.del_task == handed_back_->shown_del_task) saved.del_task = handed_back_->del_task;
    if (form.resume == handed_back_->shown_resume) saved.resume = handed_back_->resume;
  }
  const auto store = services_.OpenSettings(BesideExecutable(kSettingsFileName));
  WriteSettings(*store, stored, saved);
  return store->FirstWriteFailure();
}
