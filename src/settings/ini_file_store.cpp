#include "settings/ini_file_store.h"

#include "platform/code_page.h"
#include "platform/file_access.h"
#include "settings/ini_document.h"

namespace {

// A settings file is a few kilobytes; a larger one is no settings file of
// ours and is treated as missing rather than taking all memory.
constexpr std::size_t kMaxSettingsFileBytes = 64u << 20;

IniDocument Load(std::u16string_view path) {
  const auto bytes = ReadFileBytes(path, kMaxSettingsFileBytes);
  return bytes ? IniDocument(DecodeCodePage932(*bytes)) : IniDocument();
}

}  // namespace

int IniFileStore::GetInt(std::u16string_view section, std::u16string_view key, int fallback) {
  return ReadIniInt(Load(path_), section, key, fallback);
}

std::u16string IniFileStore::GetString(std::u16string_view section, std::u16string_view key,
                                       std::u16string_view fallback, std::size_t width) {
  return ReadIniString(Load(path_), section, key, fallback, width);
}

bool IniFileStore::WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
  IniDocument document = Load(path_);
  document.Set(section, key, value);
  if (WriteFileBytes(path_, EncodeCodePage932(document.Text()))) return true;
  if (!first_write_failure_) first_write_failure_ = u"ファイルに書き込めません。";
  return false;
}
