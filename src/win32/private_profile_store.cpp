#include "win32/private_profile_store.h"

#include <vector>

#include "win32/system_message.h"
#include "win32/wide_text.h"
#include "win32/windows_api.h"

namespace win32 {

int PrivateProfileStore::GetInt(std::u16string_view section, std::u16string_view key, int fallback) {
  return static_cast<int>(
      GetPrivateProfileIntW(Wide(section).c_str(), Wide(key).c_str(), fallback, Wide(path_).c_str()));
}

std::u16string PrivateProfileStore::GetString(std::u16string_view section, std::u16string_view key,
                                              std::u16string_view fallback, std::size_t width) {
  std::vector<wchar_t> buffer(width + 1, L'\0');
  GetPrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), Wide(fallback).c_str(), buffer.data(),
                           static_cast<DWORD>(buffer.size()), Wide(path_).c_str());
  return Utf16(buffer.data());
}

bool PrivateProfileStore::WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
  if (WritePrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(), Wide(value).c_str(), Wide(path_).c_str())) {
    return true;
  }
  if (!first_write_failure_) first_write_failure_ = SystemMessage(HRESULT_FROM_WIN32(GetLastError()));
  return false;
}

}  // namespace win32
