// Any form through the composition of the recorder command: the derived
// texts stay within what a work item takes.
#include "compose/command_line.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const FuzzInput input{data, size};
  const std::vector<std::u16string> fields = input.Fields(8);
  ReservationForm form;
  form.cap_sts_path = fields[0];
  form.folder = fields[1];
  form.file_name = fields[2];
  form.fileext = fields[3];
  form.id = fields[4];
  form.channel = fields[5];
  form.vlc_parm = fields[6];
  form.registration_name = fields[7];
  for (int flag = 0; flag < kProfileFlagCount; ++flag) form.flags[flag] = size > 0 ? (data[0] >> flag) & 1 : 0;
  const int hour = size > 1 ? data[1] % 24 : 0;
  ComposeRecorderCommand(form, {hour, hour * 2 % 60}, {23 - hour, 59 - hour});
  if (form.parameters.size() > kMaxParametersLength || form.application_name.size() > 255) __builtin_trap();
  return 0;
}
