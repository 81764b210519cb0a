// How long one composition of the recorder command takes; it runs after
// every keystroke in a profile field.
#include <benchmark/benchmark.h>

#include "compose/command_line.h"

namespace {

void BM_ComposeWorkedExample(benchmark::State& state) {
  ReservationForm form;
  form.cap_sts_path = u"C:\\tv\\cap_sts.exe";
  form.folder = u"D:\\rec";
  form.file_name = u"news";
  form.id = u"2";
  form.channel = u"101";
  form.vlc_parm = u"vlc:mpeg4";
  form.flags = {1, 1, 1, 1, 0, 0, 1, 1};
  for (auto _ : state) {
    ComposeRecorderCommand(form, {21, 0}, {21, 54});
    benchmark::DoNotOptimize(form.command_preview.data());
  }
}
BENCHMARK(BM_ComposeWorkedExample);

}  // namespace
