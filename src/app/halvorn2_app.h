#pragma once

#include "framework/app.h"
#include "platform/services.h"
#include "scheduler/task_scheduler.h"

// The application object: creates the main dialog, hands it the command line
// and runs it; the program ends when the dialog ends.
class CHalvorn2App : public fw::App {
 public:
  // The operating system's services and its Task Scheduler, for the dialog;
  // set before Run.
  void set_services(Services* services, TaskSchedulerPlatform* task_scheduler) {
    services_ = services;
    task_scheduler_ = task_scheduler;
  }

 protected:
  bool InitInstance() override;

 private:
  // True when an automatic registration was made without showing anything.
  bool RegisteredUnattended();

  Services* services_ = nullptr;
  TaskSchedulerPlatform* task_scheduler_ = nullptr;
};
