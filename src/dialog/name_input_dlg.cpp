#include "dialog/name_input_dlg.h"

#include "resource.h"

using fw::EventKind;
using fw::On;

const std::array<fw::MessageMapEntry<CNameInputDlg>, 2> CNameInputDlg::kMessageMap = {
    On(EventKind::Click, fw::kIdOk, &CNameInputDlg::OnOK),
    On(EventKind::Click, fw::kIdCancel, &CNameInputDlg::OnCancelClicked),
};

CNameInputDlg::CNameInputDlg() : fw::Dialog(IDD_NAME_INPUT) {}

void CNameInputDlg::DoDataExchange(fw::DataExchange& dx) { fw::DDX_Text(dx, IDC_PROFILE_NAME, name); }

bool CNameInputDlg::DispatchEvent(EventKind kind, int id, fw::Notification& notification) {
  return fw::DispatchByMap<CNameInputDlg>(kMessageMap, *this, kind, id, notification);
}

// An empty name adds no profile, so it ends the dialog as Cancel would.
void CNameInputDlg::OnOK() {
  UpdateData(true);
  EndDialog(name.empty() ? fw::kIdCancel : fw::kIdOk);
}
