#include "app/halvorn2_app.h"

#include "dialog/halvorn2_dlg.h"

bool CHalvorn2App::InitInstance() {
  InitApplication();
  SetRegistryKey(u"アプリケーション ウィザードで生成されたローカル アプリケーション");
  CHalvorn2Dlg dialog(*services_, *task_scheduler_);
  set_main_window(&dialog);
  dialog.command_line = &command_line();
  dialog.DoModal();
  set_main_window(nullptr);
  // No message loop follows: the program ends with its dialog.
  return false;
}
