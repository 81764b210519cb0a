#include "platform/code_page.h"

#include "win32/windows_api.h"
#include "win32/wide_text.h"

namespace {
constexpr UINT kJapanese = 932;
}

std::u16string DecodeCodePage932(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(kJapanese, 0, bytes.data(), size, nullptr, 0);
  std::wstring text(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(kJapanese, 0, bytes.data(), size, text.data(), length);
  return win32::Utf16(text);
}

std::string EncodeCodePage932(std::u16string_view text) {
  if (text.empty()) return {};
  const std::wstring wide = win32::Wide(text);
  const int size = static_cast<int>(wide.size());
  const int length = WideCharToMultiByte(kJapanese, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(kJapanese, 0, wide.data(), size, bytes.data(), length, nullptr, nullptr);
  return bytes;
}
