#include "settings/ini_file_store.h"

#include "platform/text_file.h"
#include "platform/code_page.h"
#include "platform/file_access.h"
#include "settings/ini_document.h"

namespace {

IniDocument Load(std::u16string_view path) {
  const auto text = ReadCodePage932File(path);
  return text ? IniDocument(*text) : IniDocument();
}

}  // namespace

int IniFileStore::GetInt(std::u16string_view section, std::u16string_view key, int fallback) {
  return ReadIniInt(Load(path_), section, key, fallback);
}

std::u16string IniFileStore::GetString(std::u16string_view section, std::u16string_view key,
                                       std::u16string_view fallback, std::size_t width) {
  return ReadIniString(Load(path_), section, key, fallback, width);
}

void IniFileStore::WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
  IniDocument document = Load(path_);
  document.Set(section, key, value);
  WriteFileBytes(path_, EncodeCodePage932(document.Text()));
}
