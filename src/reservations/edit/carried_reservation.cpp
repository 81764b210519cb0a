#include "reservations/edit/carried_reservation.h"

#include "platform/path_key.h"

#include <algorithm>

#include "compose/command_line.h"
#include "reservations/rules/recorder_parameters.h"
#include "reservations/rules/reservation_rules.h"
#include "scheduler/trigger_schedule.h"

namespace {

// Takes `piece` off the front of `text` when it stands there alone: at the
// end or before a blank.
bool TakeSwitch(std::u16string_view& text, std::u16string_view piece) {
  if (!text.starts_with(piece) || (text.size() > piece.size() && text[piece.size()] != u' ')) return false;
  text.remove_prefix(piece.size());
  return true;
}

bool TakeLastSwitch(std::u16string_view& text, std::u16string_view piece) {
  if (!text.ends_with(piece)) return false;
  text.remove_suffix(piece.size());
  return true;
}

// The switches of the parameters in the order the composition writes them:
// " I<id>", " R<id>", " P", " @<channel> <window>", " B", " B25", " SEL",
// the encoder's text, " SUSPEND", " POFF". Whatever they hold, the caller
// composes them again and compares.
void ReadSwitches(std::u16string_view parameters, const RecorderParameters& recorder, CarriedReservation& carried) {
  const std::size_t closing = parameters.find(u'"', 1);
  std::u16string_view rest = parameters.substr(closing + 1);
  if (!recorder.tuner->empty()) TakeSwitch(rest, u" I" + *recorder.tuner);
  if (!recorder.tuner->empty()) carried.flags[rmc] = TakeSwitch(rest, u" R" + *recorder.tuner);
  carried.flags[power_on] = TakeSwitch(rest, u" P");
  const std::u16string channel_and_window = u" @" + recorder.channel + u" " + FormatWindow(*recorder.window);
  if (!rest.starts_with(channel_and_window)) return;
  rest.remove_prefix(channel_and_window.size());
  carried.flags[power_off] = TakeLastSwitch(rest, u" POFF");
  carried.flags[sus] = TakeLastSwitch(rest, u" SUSPEND");
  carried.flags[bcs] = TakeSwitch(rest, u" B");
  carried.flags[b25] = TakeSwitch(rest, u" B25");
  carried.flags[sel] = TakeSwitch(rest, u" SEL");
  carried.flags[vlc] = !rest.empty();
  if (!rest.empty()) carried.vlc_parm = std::u16string(rest.substr(1));
}

// The recording's path: its folder, then the name and the extension split
// at the last dot, as the title is taken from it.
void ReadOutputPath(std::u16string_view path, CarriedReservation& carried) {
  const std::size_t separator = path.rfind(u'\\');
  const std::u16string_view file = separator == std::u16string_view::npos ? path : path.substr(separator + 1);
  carried.folder = std::u16string(path.substr(0, separator == std::u16string_view::npos ? 0 : separator));
  const std::size_t dot = file.rfind(u'.');
  const std::size_t name_length = dot == std::u16string_view::npos || dot == 0 ? file.size() : dot;
  carried.file_name = std::u16string(file.substr(0, name_length));
  carried.fileext = std::u16string(file.substr(name_length));
}

KeptWorkItemParts KeptPartsOf(const StoredWorkItem& item) {
  KeptWorkItemParts kept;
  kept.flags = item.flags & ~kFlagsTheFormSets;
  if (item.trigger) KeepTriggerParts(*item.trigger, kept);
  return kept;
}

CarryOutcome NotCarried(std::u16string why) { return {std::nullopt, std::move(why)}; }

// The recorder command the form composes with the reservation's own file
// name, channel and window.
void ComposeCarried(const CarriedReservation& carried, const RecorderParameters& recorder, ReservationForm& form) {
  form.file_name = carried.file_name;
  form.channel = recorder.channel;
  const RecordingWindow window = *recorder.window;
  ComposeRecorderCommand(form, {window.start / 60, window.start % 60}, {window.end / 60, window.end % 60});
}

}  // namespace

CarryOutcome CarryThroughForm(const StoredWorkItem& item, const ProfileArray& profiles, int profile_count) {
  const RecorderParameters recorder = ReadRecorderParameters(item.parameters);
  if (!recorder.window || !recorder.tuner || !item.parameters.starts_with(u'"')) {
    return NotCarried(u"録画のパラメータが Halvorn の作った形ではありません。");
  }
  CarriedReservation carried;
  // A default tuner goes to Halvorn as 0, which composes no I switch either.
  carried.id = recorder.tuner->empty() ? u"0" : *recorder.tuner;
  const char16_t tuner = TunerMark(carried.id);

  const int count = std::clamp(profile_count, 0, kMaxProfiles);
  // The profile that runs the same recorder program, by the device rule.
  const std::u16string program = PathKey(item.application);
  const auto runs_it = [&](const RecordingProfile& profile) {
    return PathKey(WithTunerMark(profile.cap_sts_path.str(), tuner)) == program;
  };
  const auto found = std::find_if(profiles.begin(), profiles.begin() + count, runs_it);
  if (found == profiles.begin() + count) return NotCarried(u"この予約の録画プログラムを使うプロファイルがありません。");
  carried.profile = static_cast<int>(found - profiles.begin());
  const std::u16string recorder_path = found->cap_sts_path.str();
  carried.cap_sts_path = WithTunerMark(recorder_path, tuner) == item.application ? recorder_path : item.application;

  ReadOutputPath(recorder.output_path, carried);
  // The working folder is the folder as typed, its tuner mark unfilled.
  if (WithTunerMark(item.working_directory, tuner) == carried.folder) carried.folder = item.working_directory;
  ReadSwitches(item.parameters, recorder, carried);
  carried.del_task = (item.flags & kTaskFlagDeleteWhenDone) != 0 ? 1 : 0;
  carried.resume = (item.flags & kTaskFlagSystemRequired) != 0 ? 1 : 0;
  carried.kept = KeptPartsOf(item);

  // What the form composes from these values must be the stored item.
  ReservationForm form;
  ApplyCarried(carried, form);
  ComposeCarried(carried, recorder, form);
  if (form.application_name != item.application || form.parameters != item.parameters) {
    return NotCarried(u"録画のパラメータを Halvorn の設定で作り直せません。");
  }
  if (form.folder != item.working_directory) return NotCarried(u"作業フォルダーが録画先のフォルダーと違います。");
  return {carried, {}};
}

void ApplyCarried(const CarriedReservation& carried, ReservationForm& form) {
  form.cap_sts_path = carried.cap_sts_path;
  form.folder = carried.folder;
  form.fileext = carried.fileext;
  form.id = carried.id;
  // The encoder's text is shown as the profile has it unless it is used.
  if (carried.flags[vlc] != 0) form.vlc_parm = carried.vlc_parm;
  form.flags = carried.flags;
  form.del_task = carried.del_task;
  form.resume = carried.resume;
  form.kept = carried.kept;
}

std::optional<StoredReservationChange::RecorderCommand> CommandOnProfile(const StoredWorkItem& item,
                                                                         const ProfileArray& profiles,
                                                                         int profile_count, int profile) {
  const CarryOutcome outcome = CarryThroughForm(item, profiles, profile_count);
  if (!outcome.carried || profile < 0 || profile >= std::clamp(profile_count, 0, kMaxProfiles)) return std::nullopt;
  ReservationForm form;
  ApplyCarried(*outcome.carried, form);
  LoadProfileValues(profiles[static_cast<std::size_t>(profile)], form);
  ComposeCarried(*outcome.carried, ReadRecorderParameters(item.parameters), form);
  return StoredReservationChange::RecorderCommand{form.application_name.str(), form.folder, form.parameters.str()};
}
