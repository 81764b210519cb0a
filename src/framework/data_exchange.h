#pragma once

#include <string>

#include "framework/dialog_window.h"

namespace fw {

// One pass of data exchange between the bound form values and the controls:
// saving reads the controls into the values, otherwise the values are shown.
class DataExchange {
 public:
  DataExchange(DialogWindow& window, bool saving) : window_(window), saving_(saving) {}
  DialogWindow& window() const { return window_; }
  bool saving() const { return saving_; }

 private:
  DialogWindow& window_;
  bool saving_;
};

void DDX_Text(DataExchange& dx, int id, std::u16string& value);
// Check boxes exchange 0 or 1.
void DDX_Check(DataExchange& dx, int id, int& value);
// The index of the checked button of the group that starts at `first_id`.
void DDX_Radio(DataExchange& dx, int first_id, int& value);

}  // namespace fw
