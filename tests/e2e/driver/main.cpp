// The end-to-end driver: runs one named scenario against Halvorn2.exe under
// Wine and reports PASS or the first failure.
#include <windows.h>

#include <cstdio>

#include "app_under_test.h"
#include "scenario.h"
#include "work_items.h"

namespace {
std::vector<Scenario>& Registry() {
  static std::vector<Scenario> scenarios;
  return scenarios;
}
}  // namespace

ScenarioRegistration::ScenarioRegistration(std::initializer_list<Scenario> scenarios) {
  Registry().insert(Registry().end(), scenarios.begin(), scenarios.end());
}

const std::vector<Scenario>& AllScenarios() { return Registry(); }

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fputs("usage: e2e_driver SCENARIO PATH\\TO\\Halvorn2.exe [OUT_DIR [DATA_DIR [ARGS...]]]\nscenarios:\n",
               stderr);
    for (const auto& scenario : AllScenarios()) std::fprintf(stderr, "  %s\n", Utf8(scenario.name).c_str());
    return 2;
  }
  ScenarioContext context{argv[2], argc > 3 ? argv[3] : L".", argc > 4 ? argv[4] : L".", {}};
  for (int i = 5; i < argc; ++i) context.extra.emplace_back(argv[i]);
  PrepareRecorders();
  for (const auto& scenario : AllScenarios()) {
    if (lstrcmpW(scenario.name, argv[1]) != 0) continue;
    try {
      scenario.run(context);
    } catch (const Failure& failure) {
      std::printf("FAIL %s: %s\n", Utf8(scenario.name).c_str(), Utf8(failure.what).c_str());
      return 1;
    }
    std::printf("PASS %s\n", Utf8(scenario.name).c_str());
    return 0;
  }
  std::fprintf(stderr, "no scenario %s\n", Utf8(argv[1]).c_str());
  return 2;
}
