// The floor for an automatic registration: the same Task Scheduler calls for
// the same once-task as Halvorn2.exe -auto makes for examples/reservation.tvpi,
// and nothing else: no dialog, no files read. Its wall time under Wine is
// what registering costs at the least.
#include <cstdio>

#include "scheduler/registration.h"
#include "win32/com_task_scheduler.h"

int main() {
  ReservationForm form;
  form.registration_name = u"ニュース7";
  form.account = u"recorder";
  form.file_name = u"ニュース7";
  form.folder = u"D:\\録画";
  form.application_name = u"C:\\Program Files\\cap_sts\\cap_sts.exe";
  form.parameters = u"\"D:\\録画\\ニュース7.ts\" I1 P @011 19:00-19:30 B B25";
  form.del_task = 1;
  form.resume = 1;
  form.offset_min = 2;
  RegistrationStart start;
  start.date = {2030, 4, 1, 1, 0, 0, 0};
  start.hour = 19;
  start.minute = 0;

  win32::ComTaskScheduler scheduler;
  if (const auto failure = RegisterWorkItem(form, start, scheduler)) {
    std::fputs("registration failed: ", stderr);
    for (char16_t unit : *failure) std::fprintf(stderr, "U+%04X ", static_cast<unsigned>(unit));
    std::fputs("\n", stderr);
    return 1;
  }
  return 0;
}
