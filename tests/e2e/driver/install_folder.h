#pragma once

#include <string>

#include "scenario.h"

// A fresh folder with a copy of Halvorn2.exe in it, as a user installs the
// program: the files it reads beside itself (channel.txt, the settings)
// belong to this folder only.
class InstallFolder {
 public:
  InstallFolder(const ScenarioContext& context, const std::wstring& name);

  const std::wstring& path() const { return path_; }
  std::wstring exe() const { return path_ + L"\\Halvorn2.exe"; }
  std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }
  // Copies a file of the tests' data folder into the install folder (or a
  // sub-folder of it).
  std::wstring CopyData(const std::wstring& data_name, const std::wstring& as) const;
  // Copies another program of the build beside Halvorn2.exe.
  void CopyProgram(const std::wstring& name) const;
  void Write(const std::wstring& name, const std::string& bytes) const;
  std::string Read(const std::wstring& name) const;
  bool Exists(const std::wstring& name) const;

 private:
  const ScenarioContext& context_;
  std::wstring path_;
};
