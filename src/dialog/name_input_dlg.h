#pragma once

#include <array>
#include <string>

#include "framework/dialog.h"
#include "framework/message_map.h"

// The small modal dialog that asks for the name of a new recorder profile.
class CNameInputDlg : public fw::Dialog {
 public:
  CNameInputDlg();

  // The entered name; valid after DoModal ended with OK.
  std::u16string name;

 protected:
  void DoDataExchange(fw::DataExchange& dx) override;
  bool DispatchEvent(fw::EventKind kind, int id, fw::Notification& notification) override;

 private:
  void OnOK() override;
  void OnCancelClicked() { fw::Dialog::OnCancel(); }

  static const std::array<fw::MessageMapEntry<CNameInputDlg>, 2> kMessageMap;
};
