#include "settings/ini_file_store.h"

#include <algorithm>
#include <climits>

#include "compose/c_numbers.h"
#include "platform/code_page.h"
#include "platform/file_access.h"
#include "settings/ini_document.h"

namespace {

IniDocument Load(std::u16string_view path) {
  const auto bytes = ReadFileBytes(path, kMaxTextFileBytes);
  return bytes ? IniDocument(DecodeCodePage932(*bytes)) : IniDocument();
}

}  // namespace

int IniFileStore::GetInt(std::u16string_view section, std::u16string_view key, int fallback) {
  const auto value = Load(path_).Get(section, key);
  if (!value) return fallback;
  return static_cast<int>(std::clamp<long>(ReadLong(*value), INT_MIN, INT_MAX));
}

std::u16string IniFileStore::GetString(std::u16string_view section, std::u16string_view key,
                                       std::u16string_view fallback, std::size_t width) {
  const auto value = Load(path_).Get(section, key);
  return std::u16string(value ? std::u16string_view(*value) : fallback).substr(0, width);
}

void IniFileStore::WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
  IniDocument document = Load(path_);
  document.Set(section, key, value);
  WriteFileBytes(path_, EncodeCodePage932(document.Text()));
}
