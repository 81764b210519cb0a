#include "win32/services.h"

#include <cstdlib>
#include <ctime>
#include <vector>

#include "win32/windows_api.h"
#include <commdlg.h>
#include <shlobj.h>

#include "win32/module_path.h"
#include "win32/private_profile_store.h"
#include "win32/wide_text.h"

namespace win32 {

namespace {

// The shell's allocator frees the item lists the folder browser hands out.
class ShellAllocator {
 public:
  ShellAllocator() { ok_ = SUCCEEDED(SHGetMalloc(&malloc_)); }
  ~ShellAllocator() {
    if (malloc_ != nullptr) malloc_->Release();
  }
  ShellAllocator(const ShellAllocator&) = delete;
  ShellAllocator& operator=(const ShellAllocator&) = delete;
  bool ok() const { return ok_; }
  void Free(void* memory) const {
    if (memory != nullptr) malloc_->Free(memory);
  }

 private:
  IMalloc* malloc_ = nullptr;
  bool ok_ = false;
};

}  // namespace

std::u16string Services::ExecutablePath() { return ModulePath(); }

std::optional<std::u16string> Services::Environment(std::u16string_view name) {
  const wchar_t* value = _wgetenv(Wide(name).c_str());
  if (value == nullptr) return std::nullopt;
  return Utf16(value);
}

int Services::RunCommand(std::u16string_view command) { return _wsystem(Wide(command).c_str()); }

std::optional<std::u16string> Services::ChooseFileToOpen(const OpenFileRequest& request) {
  constexpr DWORD kPathRoom = 65535;
  std::vector<wchar_t> path(kPathRoom + 1, L'\0');
  const std::wstring initial = Wide(request.initial_name);
  std::copy(initial.begin(), initial.begin() + std::min<size_t>(initial.size(), kPathRoom - 1), path.begin());
  const std::wstring filter = Wide(request.filter) + L'\0';
  const std::wstring extension = Wide(request.default_extension);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = nullptr;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = kPathRoom;
  dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  dialog.Flags = OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameW(&dialog)) return std::nullopt;
  return Utf16(path.data());
}

Services::FolderChoice Services::ChooseFolder(std::u16string_view title) {
  ShellAllocator allocator;
  if (!allocator.ok()) return {false, std::nullopt};
  LPITEMIDLIST drives = nullptr;
  HWND owner = GetActiveWindow();
  SHGetSpecialFolderLocation(owner, CSIDL_DRIVES, &drives);
  std::vector<wchar_t> buffer(65536, L'\0');
  const std::wstring caption = Wide(title);
  BROWSEINFOW browse{};
  browse.hwndOwner = owner;
  browse.pidlRoot = drives;
  browse.pszDisplayName = buffer.data();
  browse.lpszTitle = caption.c_str();
  browse.ulFlags = BIF_RETURNONLYFSDIRS;
  LPITEMIDLIST chosen = SHBrowseForFolderW(&browse);
  FolderChoice choice;
  if (chosen != nullptr && SHGetPathFromIDListW(chosen, buffer.data())) choice.folder = Utf16(buffer.data());
  allocator.Free(drives);
  allocator.Free(chosen);
  return choice;
}

std::unique_ptr<SettingsStore> Services::OpenSettings(std::u16string_view path) {
  return std::make_unique<PrivateProfileStore>(std::u16string(path));
}

std::int64_t Services::Now() { return static_cast<std::int64_t>(std::time(nullptr)); }

}  // namespace win32
