// How long one composition of the recorder command takes; it runs after
// every keystroke in a profile field.
#include <benchmark/benchmark.h>

#include "compose/command_line.h"
#include "support/worked_example.h"

namespace {

void BM_ComposeWorkedExample(benchmark::State& state) {
  ReservationForm form = WorkedExampleForm();
  for (auto _ : state) {
    ComposeRecorderCommand(form, {21, 0}, {21, 54});
    benchmark::DoNotOptimize(form.command_preview.data());
  }
}
BENCHMARK(BM_ComposeWorkedExample);

}  // namespace
