#include "settings/settings_file.h"

#include <algorithm>
#include <string>

namespace {

// The profiles' flag keys stand in the file in this order, each naming its
// place among the flags in memory.
struct FlagKey {
  std::u16string_view key;
  ProfileFlag flag;
  int fallback;
};
constexpr FlagKey kFlagKeys[] = {
    {u"power_on", power_on, 0}, {u"power_off", power_off, 0},
    {u"bcs", bcs, 1},           {u"b25", b25, 0},
    {u"vlc", vlc, 0},           {u"sel", sel, 0},
    {u"sus", sus, 0},           {u"rmc", rmc, 0},
};

// [cap_sts] for the first profile, [cap_sts_1] to [cap_sts_8] for the rest.
std::u16string ProfileSection(int index) {
  if (index == 0) return u"cap_sts";
  const std::string number = std::to_string(index);
  return u"cap_sts_" + std::u16string(number.begin(), number.end());
}

std::u16string Number(int value) {
  const std::string text = std::to_string(static_cast<unsigned>(value));
  return std::u16string(text.begin(), text.end());
}

template <std::size_t N>
void ReadText(SettingsStore& store, std::u16string_view section, std::u16string_view key, std::u16string_view fallback,
              FixedText<N>& field) {
  field = store.GetString(section, key, fallback, N - 1);
}

void ReadProfile(SettingsStore& store, int index, RecordingProfile& profile) {
  const std::u16string section = ProfileSection(index);
  ReadText(store, section, u"title", u"", profile.title);
  ReadText(store, section, u"cap_sts_path", u"cap_sts.exe", profile.cap_sts_path);
  ReadText(store, section, u"folder", u"C:", profile.folder);
  ReadText(store, section, u"vlc_parm", u"", profile.vlc_parm);
  ReadText(store, section, u"id", u"0", profile.id);
  ReadText(store, section, u"fileext", u".ts", profile.fileext);
  for (const FlagKey& flag : kFlagKeys) profile.flags[flag.flag] = store.GetInt(section, flag.key, flag.fallback);
  if (index == 0 && profile.title.empty()) profile.title = u"default";
}

void WriteProfile(SettingsStore& store, int index, const RecordingProfile& profile) {
  const std::u16string section = ProfileSection(index);
  store.WriteString(section, u"title", profile.title);
  store.WriteString(section, u"cap_sts_path", profile.cap_sts_path);
  store.WriteString(section, u"folder", profile.folder);
  store.WriteString(section, u"vlc_parm", profile.vlc_parm);
  store.WriteString(section, u"id", profile.id);
  store.WriteString(section, u"fileext", profile.fileext);
  for (const FlagKey& flag : kFlagKeys) store.WriteString(section, flag.key, Number(profile.flags[flag.flag]));
}

}  // namespace

void ReadSettings(SettingsStore& store, StoredProfiles& stored, ReservationForm& form) {
  stored.profiles = ProfileArray{};
  form.autoclose = store.GetInt(u"system", u"autoclose", 0);
  stored.cursor = store.GetInt(u"system", u"cursor", 0);
  stored.profile_count = std::clamp(store.GetInt(u"system", u"option_number", 1), 1, kMaxProfiles);
  form.offset_min = std::clamp(store.GetInt(u"system", u"offset_min", 1), 1, 10);

  form.channel = store.GetString(u"general", u"channel", u"001", 9);
  form.subtitle = store.GetInt(u"general", u"subtitle", 1);
  form.extend = store.GetInt(u"general", u"extend", 0);
  form.parentheses = store.GetInt(u"general", u"parentheses", 0);

  for (int i = 0; i < stored.profile_count; ++i) ReadProfile(store, i, stored.profiles[static_cast<std::size_t>(i)]);
  if (stored.cursor < 0 || stored.cursor >= stored.profile_count) stored.cursor = 0;

  form.account = store.GetString(u"task", u"account", u"", 255);
  form.pass_confirm = store.GetString(u"task", u"pass", u"", 255);
  form.pass = form.pass_confirm;
  form.del_task = store.GetInt(u"task", u"del_task", 0);
  form.resume = store.GetInt(u"task", u"resume", 0);
}

void WriteSettings(SettingsStore& store, const StoredProfiles& stored, const ReservationForm& form) {
  store.WriteString(u"system", u"autoclose", Number(form.autoclose));
  store.WriteString(u"system", u"cursor", Number(stored.cursor));
  store.WriteString(u"system", u"option_number", Number(stored.profile_count));
  store.WriteString(u"system", u"offset_min", Number(form.offset_min));

  store.WriteString(u"general", u"channel", form.channel);
  store.WriteString(u"general", u"subtitle", Number(form.subtitle));
  store.WriteString(u"general", u"extend", Number(form.extend));
  store.WriteString(u"general", u"parentheses", Number(form.parentheses));

  for (int i = 0; i < stored.profile_count; ++i) WriteProfile(store, i, stored.profiles[static_cast<std::size_t>(i)]);

  store.WriteString(u"task", u"account", form.account);
  store.WriteString(u"task", u"pass", form.pass);
  store.WriteString(u"task", u"del_task", Number(form.del_task));
  store.WriteString(u"task", u"resume", Number(form.resume));
}
