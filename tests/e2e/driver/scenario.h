#pragma once

#include <string>
#include <vector>

// What every scenario is handed: the program to start and the folder for
// files it leaves for the harness (screenshots).
struct ScenarioContext {
  std::wstring exe;
  std::wstring out_dir;
  std::wstring data_dir;            // the tests' data files
  std::vector<std::wstring> extra;  // scenario-specific arguments
};

struct Scenario {
  const wchar_t* name;
  void (*run)(const ScenarioContext&);
};

// Each scenario file registers its scenarios through one of these.
struct ScenarioRegistration {
  ScenarioRegistration(std::initializer_list<Scenario> scenarios);
};

const std::vector<Scenario>& AllScenarios();
