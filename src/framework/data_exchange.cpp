#include "framework/data_exchange.h"

namespace fw {

void DDX_Text(DataExchange& dx, int id, std::u16string& value) {
  if (dx.saving()) {
    value = dx.window().GetText(id);
  } else {
    dx.window().SetText(id, value);
  }
}

void DDX_Check(DataExchange& dx, int id, int& value) {
  if (dx.saving()) {
    value = dx.window().GetCheck(id) != 0 ? 1 : 0;
  } else {
    dx.window().SetCheck(id, value != 0 ? 1 : 0);
  }
}

void DDX_Radio(DataExchange& dx, int first_id, int& value) {
  if (dx.saving()) {
    value = dx.window().GetRadioIndex(first_id);
  } else {
    dx.window().SetRadioIndex(first_id, value);
  }
}

}  // namespace fw
