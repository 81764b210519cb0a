#pragma once

#include "framework/app.h"

// The application object: creates the main dialog, hands it the command line
// and runs it; the program ends when the dialog ends.
class CHalvorn2App : public fw::App {
 protected:
  bool InitInstance() override;
};
