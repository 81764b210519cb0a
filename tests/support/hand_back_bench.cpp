#include "support/hand_back_bench.h"

#include <cstdlib>
#include <fstream>

#include "dialog/halvorn2_dlg.h"
#include "platform/code_page.h"
#include "platform/file_access.h"
#include "resource.h"
#include "settings/ini_file_store.h"
#include "settings/settings_file.h"

namespace {

// Tuesday 8 December 2026 at 12:00, when the reservations are listed.
const LocalMinute kNow = ToLocalMinute(2026, 12, 8, 12, 0);

// What the Task Scheduler writes on every save whatever the work item held,
// as Wine's does: its own version, and no retries.
JobFile AsThePlatformSavesIt(JobFile job) {
  job.product_version = 0x0601;
  job.error_retry_count = 0;
  job.error_retry_interval = 0;
  return job;
}

// The first part that differs, those Halvorn writes named; a series may
// begin at its next recording instead, and nothing else may move.
std::string Difference(const JobFile& before, const JobFile& after) {
  if (after.application_name != before.application_name) return "application";
  if (after.parameters != before.parameters) return "parameters";
  if (after.working_directory != before.working_directory) return "working folder";
  if (after.flags != before.flags) return "flags";
  if (after.triggers.size() != before.triggers.size()) return "trigger count";
  JobFile expected = AsThePlatformSavesIt(before);
  JobTrigger& was = expected.triggers.at(0);
  const JobTrigger& is = after.triggers[0];
  if (was.type != 0) {
    was.begin_year = is.begin_year;
    was.begin_month = is.begin_month;
    was.begin_day = is.begin_day;
  }
  JobFile with_was, with_is;
  with_was.triggers.push_back(was);
  with_is.triggers.push_back(is);
  if (SerializeJobFile(with_was) != SerializeJobFile(with_is)) return "trigger";
  return SerializeJobFile(expected) == SerializeJobFile(after) ? "" : "a part Halvorn never writes";
}

}  // namespace

HandBackBench::HandBackBench() {
  setenv("TZ", "Asia/Tokyo", 1);
  platform.DeclareRadioGroup({IDC_REPEAT_ONCE, IDC_REPEAT_DAILY, IDC_REPEAT_WEEKLY});
  services.executable_path = folder.WindowsPath("Halvorn2.exe");
  folder.WriteText("channel.txt", u"ＮＨＫ総合,011,DFS00400 ＮＨＫ総合\nＭＸ,091,ＭＸ TOKYO ＭＸ\nＭＸ２,092,ＭＸ\n");
  folder.WriteText(
      "Halvorn_setting.ini",
      u"[system]\noffset_min=5\noption_number=2\n[cap_sts]\ntitle=地デジ\ncap_sts_path=C:\\tv\\cap_sts.exe\n"
      u"folder=D:\\rec\nid=1\nvlc_parm=-enc\npower_on=1\npower_off=1\nbcs=1\nb25=1\nvlc=1\nsel=1\nsus=1\n"
      u"rmc=1\n[cap_sts_1]\ntitle=BS\ncap_sts_path=C:\\tv\\cap_sts_bs.exe\nfolder=E:\\bs\nfileext=.m2ts\n"
      u"[task]\naccount=recorder\ndel_task=1\nresume=0\n");
  services.environment[u"SystemRoot"] = folder.WindowsPath("WINDOWS");
  scheduler.tasks_folder = folder.WindowsPath("WINDOWS/Tasks");
  std::filesystem::create_directories(folder / "WINDOWS/Tasks");
  LoadChannelTableFile(folder.WindowsPath("channel.txt"), channels);
  // Halvorn writes every key of its settings once; from then on a file it
  // left is compared with the next.
  CHalvorn2Dlg once(services, scheduler);
  platform.Open(once)->PressCloseButton();
}

void HandBackBench::Store(const std::u16string& name, const JobFile& job) {
  scheduler.saved[name] = job;
  WriteFileBytes(scheduler.tasks_folder + u"\\" + name + u".job", SerializeJobFile(job));
}

std::optional<ReservationRow> HandBackBench::Row(std::u16string_view name) {
  std::vector<StoredWorkItem> items;
  ReadStoredWorkItems(scheduler, items);
  for (auto& row : ListReservations(items, {}, channels, kNow)) {
    if (row.item.name == name) return row;
  }
  return std::nullopt;
}

HalvornSetup HandBackBench::HalvornSettings() {
  IniFileStore store(folder.WindowsPath("Halvorn_setting.ini"));
  StoredProfiles stored;
  ReservationForm form;
  ReadSettings(store, stored, form);
  return {stored.profiles, stored.profile_count, form.offset_min, form.parentheses};
}

std::string HandBackBench::SettingsWithoutChannel() {
  std::ifstream file(folder / "Halvorn_setting.ini");
  std::string kept, line;
  while (std::getline(file, line)) {
    if (!line.starts_with("channel=")) kept += line + "\n";
  }
  return kept;
}

std::vector<std::u16string> HandBackBench::EditAndRegister(const ReservationRow& row,
                                                           const std::function<void(headless::Window&)>& change) {
  folder.WriteBytes("edit.tvpi", EncodeCodePage932(ComposeEditReservation(row, channels)));
  std::u16string command_line = folder.WindowsPath("edit.tvpi");
  CHalvorn2Dlg halvorn(services, scheduler);
  halvorn.command_line = &command_line;
  const auto shown = platform.Open(halvorn);
  if (change) change(*shown);
  shown->ClickButton(IDC_REGISTER);
  shown->PressCloseButton();
  return shown->message_boxes();
}

HandBackBench::RoundTrip HandBackBench::HandBack(const std::u16string& name) {
  const auto row = Row(name);
  if (!row) return {std::nullopt, "not listed"};
  if (auto why = WhyNotEditable(*row, HalvornSettings())) return {std::move(why), ""};
  const JobFile before = scheduler.saved[name];
  const std::u16string account = scheduler.accounts[name];
  const std::string settings = SettingsWithoutChannel();
  if (!EditAndRegister(*row).empty()) return {std::nullopt, "Halvorn said something"};
  if (SettingsWithoutChannel() != settings) return {std::nullopt, "settings"};
  if (scheduler.saved.size() != 1 || scheduler.saved.count(name) == 0) return {std::nullopt, "not replaced in place"};
  if (scheduler.accounts[name] != account) return {std::nullopt, "account"};
  return {std::nullopt, Difference(before, scheduler.saved[name])};
}
