#include "win32/system_message.h"

#include <cwchar>

#include "win32/wide_text.h"

namespace win32 {

std::u16string SystemMessage(HRESULT status) {
  wchar_t* text = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, static_cast<DWORD>(status), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = length > 0 ? std::wstring(text, length) : std::wstring();
  LocalFree(text);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' ')) {
    message.pop_back();
  }
  wchar_t code[32];
  std::swprintf(code, 32, L"(0x%08lX)", static_cast<unsigned long>(status));
  return Utf16(message.empty() ? std::wstring(code) : message + L" " + code);
}

}  // namespace win32
