#include "app/halvorn2_app.h"

#include "dialog/command_line_scan.h"
#include "dialog/halvorn2_dlg.h"
#include "framework/unattended_run.h"
#include "platform/local_time.h"
#include "resource.h"

bool CHalvorn2App::InitInstance() {
  InitApplication();
  SetRegistryKey(u"アプリケーション ウィザードで生成されたローカル アプリケーション");
  if (RegisteredUnattended()) return false;
  CHalvorn2Dlg dialog(*services_, *task_scheduler_);
  set_main_window(&dialog);
  dialog.command_line = &command_line();
  dialog.DoModal();
  set_main_window(nullptr);
  // No message loop follows: the program ends with its dialog.
  return false;
}

// A browser's automatic registration is made first with the dialog in
// memory: where it stores the reservation and ends without a word, no
// window is ever made, and the program ends as quickly as the Task
// Scheduler lets it. Where it would ask or tell the user anything, it has
// stored nothing, and the dialog runs on the screen from its start.
bool CHalvorn2App::RegisteredUnattended() {
  if (ScanCommandLine(command_line()).mode != RegistrationMode::AutoPending) return false;
  const auto now = LocalTimeFromSeconds(services_->Now());
  if (!now) return false;
  fw::UnattendedRun run(*now, {{IDC_REPEAT_ONCE, IDC_REPEAT_DAILY, IDC_REPEAT_WEEKLY}});
  CHalvorn2Dlg dialog(*services_, *task_scheduler_);
  dialog.command_line = &command_line();
  return run.Run(dialog);
}
