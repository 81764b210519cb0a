#include "dialog/halvorn2_dlg.h"

#include "framework/platform.h"
#include "resource.h"

using fw::EventKind;
using fw::On;

const std::array<fw::MessageMapEntry<CHalvorn2Dlg>, 5> CHalvorn2Dlg::kMessageMap = {
    On(EventKind::Paint, 0, &CHalvorn2Dlg::OnPaint),
    On(EventKind::QueryDragIcon, 0, &CHalvorn2Dlg::OnQueryDragIcon),
    On(EventKind::Click, fw::kIdOk, &CHalvorn2Dlg::OnOkOrCancelKey),
    On(EventKind::Click, fw::kIdCancel, &CHalvorn2Dlg::OnOkOrCancelKey),
    On(EventKind::Close, 0, &CHalvorn2Dlg::OnClose),
};

CHalvorn2Dlg::CHalvorn2Dlg() : fw::Dialog(IDD_HALVORN2_DIALOG), icon_(fw::CurrentPlatform().LoadIcon(IDR_MAINFRAME)) {}

bool CHalvorn2Dlg::DispatchEvent(EventKind kind, int id, fw::Notification& notification) {
  return fw::DispatchByMap<CHalvorn2Dlg>(kMessageMap, *this, kind, id, notification);
}

void CHalvorn2Dlg::DoDataExchange(fw::DataExchange& dx) { fw::Dialog::DoDataExchange(dx); }

bool CHalvorn2Dlg::OnInitDialog() {
  fw::Dialog::OnInitDialog();
  window().SetIcon(icon_, true);
  window().SetIcon(icon_, false);
  return true;
}

void CHalvorn2Dlg::OnPaint(fw::Notification& notification) {
  if (!window().IsIconic()) {
    notification.pass_to_default = true;
    return;
  }
  const auto paint = window().BeginPaint();
  paint->EraseIconBackground();
  const fw::Size client = window().ClientSize();
  const fw::Size icon_size = window().SystemIconSize();
  paint->DrawIcon(icon_, (client.width - icon_size.width + 1) / 2, (client.height - icon_size.height + 1) / 2);
}

void CHalvorn2Dlg::OnQueryDragIcon(fw::Notification& notification) {
  notification.result = static_cast<std::intptr_t>(icon_.handle);
}

void CHalvorn2Dlg::OnClose(fw::Notification& notification) {
  EndDialog(0);
  notification.pass_to_default = true;
}
