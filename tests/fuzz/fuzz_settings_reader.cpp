// Any bytes as "Halvorn_setting.ini": every key read with its width and
// clamp, then written back.
#include "fuzz/fuzz_input.h"
#include "platform/code_page.h"
#include "settings/ini_document.h"
#include "settings/settings_file.h"

namespace {

class DocumentStore final : public SettingsStore {
 public:
  explicit DocumentStore(IniDocument& ini) : ini_(ini) {}
  int GetInt(std::u16string_view section, std::u16string_view key, int fallback) override {
    return ReadIniInt(ini_, section, key, fallback);
  }
  std::u16string GetString(std::u16string_view section, std::u16string_view key, std::u16string_view fallback,
                           std::size_t width) override {
    return ReadIniString(ini_, section, key, fallback, width);
  }
  std::optional<std::u16string> FirstWriteFailure() const override { return std::nullopt; }
  bool WriteString(std::u16string_view section, std::u16string_view key, std::u16string_view value) override {
    ini_.Set(section, key, value);
    return true;
  }

 private:
  IniDocument& ini_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  IniDocument ini(DecodeCodePage932(FuzzInput{data, size}.Bytes()));
  DocumentStore store(ini);
  StoredProfiles stored;
  ReservationForm form;
  ReadSettings(store, stored, form);
  WriteSettings(store, stored, form);
  EncodeCodePage932(ini.Text());
  return 0;
}
