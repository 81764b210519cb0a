#pragma once

#include "framework/app.h"
#include "platform/services.h"

// The application object: creates the main dialog, hands it the command line
// and runs it; the program ends when the dialog ends.
class CHalvorn2App : public fw::App {
 public:
  // The operating system's services, for the dialog; set before Run.
  void set_services(Services* services) { services_ = services; }

 protected:
  bool InitInstance() override;

 private:
  Services* services_ = nullptr;
};
