#pragma once

#include <array>
#include <string>

#include "framework/dialog.h"
#include "framework/message_map.h"

// The main dialog, "Halvorn Ver 2.3": it owns the reservation form, the
// recorder profiles and the channel table for the life of the run.
class CHalvorn2Dlg : public fw::Dialog {
 public:
  CHalvorn2Dlg();
  ~CHalvorn2Dlg() override = default;

  // The application's command line after the program name. The dialog reads
  // it once at start-up and never changes it.
  const std::u16string* command_line = nullptr;

 protected:
  void DoDataExchange(fw::DataExchange& dx) override;
  bool OnInitDialog() override;
  bool DispatchEvent(fw::EventKind kind, int id, fw::Notification& notification) override;

 private:
  void OnPaint(fw::Notification& notification);
  void OnQueryDragIcon(fw::Notification& notification);
  // Enter and Esc arrive as the OK and Cancel commands; the dialog has no
  // such buttons and must not close on a stray key press.
  void OnOkOrCancelKey() {}
  void OnClose(fw::Notification& notification);

  fw::Icon icon_;

  static const std::array<fw::MessageMapEntry<CHalvorn2Dlg>, 5> kMessageMap;
};
