#include "install_folder.h"

#include <windows.h>

#include <cstdio>

#include "app_under_test.h"
#include "work_items.h"

namespace {

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

void MakeFolders(const std::wstring& path) {
  for (size_t at = path.find(L'\\', 3); at != std::wstring::npos; at = path.find(L'\\', at + 1)) {
    CreateDirectoryW(path.substr(0, at).c_str(), nullptr);
  }
  CreateDirectoryW(path.c_str(), nullptr);
}

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.rfind(L'\\')); }

// A wineserver that has just started may refuse a copy for a moment; a copy
// that still fails says why.
void CopyOrFail(const std::wstring& from, const std::wstring& to, const std::wstring& what) {
  DWORD error = ERROR_SUCCESS;
  for (int attempt = 0; attempt < 10; ++attempt, Sleep(200)) {
    if (CopyFileW(from.c_str(), to.c_str(), FALSE)) return;
    error = GetLastError();
  }
  Expect(false, L"cannot copy " + what + L" (error " + std::to_wstring(error) + L")");
}

}  // namespace

InstallFolder::InstallFolder(const ScenarioContext& context, const std::wstring& name)
    : context_(context), path_(context.out_dir + L"\\" + name) {
  RemoveTree(path_);
  MakeFolders(path_);
  CopyOrFail(context.exe, exe(), L"Halvorn2.exe");
}

std::wstring InstallFolder::CopyData(const std::wstring& data_name, const std::wstring& as) const {
  const std::wstring target = File(as);
  MakeFolders(FolderOf(target));
  CopyOrFail(context_.data_dir + L"\\" + data_name, target, data_name);
  return target;
}

void InstallFolder::CopyProgram(const std::wstring& name) const {
  const std::wstring source = FolderOf(context_.exe) + L"\\" + name;
  CopyOrFail(source, File(name), name);
}

void InstallFolder::Write(const std::wstring& name, const std::string& bytes) const {
  MakeFolders(FolderOf(File(name)));
  FILE* file = _wfopen(File(name).c_str(), L"wb");
  Expect(file != nullptr, L"cannot write " + name);
  fwrite(bytes.data(), 1, bytes.size(), file);
  fclose(file);
}

std::string InstallFolder::Read(const std::wstring& name) const { return ReadBytes(File(name)); }

bool InstallFolder::Exists(const std::wstring& name) const {
  return GetFileAttributesW(File(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}
