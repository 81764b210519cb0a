// The Register button: the form becomes a stored work item.
#include "dialog/halvorn2_dlg.h"
#include "resource.h"
#include "scheduler/registration.h"

void CHalvorn2Dlg::OnRegister() {
  UpdateData(true);
  RegistrationStart start;
  start.date = window().Calendar(IDC_START_DATE).GetCurSel();
  const fw::CalendarTime start_time = window().DateTime(IDC_START_TIME).GetTime();
  start.hour = start_time.hour;
  start.minute = start_time.minute;

  if (const auto failure = RegisterWorkItem(form, start, task_scheduler_)) {
    MessageBox(*failure);
    return;
  }
  if (form.registration_mode == RegistrationMode::Normal) MessageBox(kRegisteredMessage);
  if (form.autoclose != 0 || form.registration_mode == RegistrationMode::AutoRunning) CloseDialog();
}
