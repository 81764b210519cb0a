// The profile tabs: one recorder set-up per tab, added by name, deleted,
// and switched with the form following.
#include <algorithm>

#include "dialog/halvorn2_dlg.h"
#include "dialog/name_input_dlg.h"
#include "resource.h"

void CHalvorn2Dlg::OnAddProfile() {
  if (profile_count >= kMaxProfiles) return;
  CNameInputDlg name_dialog;
  if (name_dialog.DoModal() != fw::kIdOk) return;
  const int selected = std::max(SelectedProfile(), 0);
  RecordingProfile& added = profiles[static_cast<size_t>(profile_count)];
  // The new profile starts as a copy of the current one; the title field
  // keeps the first 49 characters of a longer name.
  added = profiles[static_cast<size_t>(selected)];
  added.title = name_dialog.name;
  fw::TabControl& tabs = window().Tab(IDC_PROFILE_TABS);
  tabs.InsertItem(profile_count, added.title);
  tabs.SetCurSel(profile_count);
  ++profile_count;
  // The new tab is the user's own choice, saved as such.
  handed_back_.reset();
}

void CHalvorn2Dlg::OnDeleteProfile() {
  const int selected = SelectedProfile();
  if (selected < 0 || selected >= profile_count || profile_count <= 1) return;
  for (int i = selected; i < profile_count - 1; ++i)
    profiles[static_cast<size_t>(i)] = profiles[static_cast<size_t>(i) + 1];
  LoadProfile(0);
  fw::TabControl& tabs = window().Tab(IDC_PROFILE_TABS);
  tabs.DeleteItem(selected);
  tabs.SetCurSel(0);
  --profile_count;
  SelectEncoderPreset();
  ComposeCommandLine();
}

void CHalvorn2Dlg::OnTabChanging(fw::Notification& notification) {
  // The tab control still reports the tab being left.
  UpdateData(true);
  StoreProfile();
  notification.result = 0;
}

void CHalvorn2Dlg::SelectProfileTab(int index) {
  // The tab on show already: its profile as stored, without what the
  // reservation put into the form (its own tuner, say).
  if (index != SelectedProfile()) {
    fw::Notification leaving;
    OnTabChanging(leaving);
    window().Tab(IDC_PROFILE_TABS).SetCurSel(index);
  }
  OnTabChange();
}

void CHalvorn2Dlg::OnTabChange() {
  LoadProfile(SelectedProfile());
  // Left on the previous tab's preset, the list would hand that preset to
  // this profile at the next change.
  SelectEncoderPreset();
  ComposeCommandLine();
}
