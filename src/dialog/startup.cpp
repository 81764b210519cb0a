// Start-up steps of the main dialog: the command line and the encoder presets.
#include <vector>

#include "dialog/command_line_scan.h"
#include "dialog/halvorn2_dlg.h"
#include "resource.h"
#include "settings/encoder_presets.h"

void CHalvorn2Dlg::ProcessCommandLine() {
  form.registration_mode = RegistrationMode::Normal;
  if (command_line == nullptr) return;
  const CommandLineRequest request = ScanCommandLine(*command_line);
  form.registration_mode = request.mode;
  // Reading the file may still make the registration quiet, when the
  // reservation names a work item that exists.
  if (request.file_argument) ReadFileArgument(*request.file_argument);
}

void CHalvorn2Dlg::LoadEncoderPresets() {
  std::vector<std::u16string> presets;
  LoadEncoderPresetFile(BesideExecutable(kEncoderPresetFileName), presets);
  fw::ComboBox& list = window().Combo(IDC_ENCODER_PRESETS);
  for (const auto& preset : presets) list.AddString(preset);
}

void CHalvorn2Dlg::SelectEncoderPreset() {
  fw::ComboBox& list = window().Combo(IDC_ENCODER_PRESETS);
  // The item the profile saved, so that the next change stores that item
  // again and not a longer one that merely begins with it. Only a preset
  // name the profile had to cut is found by its beginning, with the
  // platform's search from after the first item round to it.
  int item = list.FindStringExact(-1, form.vlc_parm);
  if (item < 0) item = list.FindString(0, form.vlc_parm);
  list.SetCurSel(item);
}
