#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "iepg/channel_table.h"
#include "reservations/edit/edit_reservation.h"
#include "reservations/views/reservation_list.h"
#include "support/fake_services.h"
#include "support/fake_task_scheduler.h"
#include "support/headless_window.h"
#include "support/stored_shape.h"
#include "support/temp_folder.h"

// Halvorn beside a Task Scheduler whose work items are also files in its
// Tasks folder, and set up unlike the reservations stored there: every
// switch on, wake off, delete-when-done on, a second profile "BS" with its
// own recorder. Stored reservations are handed back through 編集 and
// registered again, as a user would.
class HandBackBench {
 public:
  static constexpr int kLead = 5;

  HandBackBench();

  void Store(const std::u16string& name, const JobFile& job);
  std::optional<ReservationRow> Row(std::u16string_view name);
  HalvornSetup HalvornSettings();
  // The settings file as Halvorn leaves it, but for the channel, which
  // follows every reservation that Halvorn applies.
  std::string SettingsWithoutChannel();

  // 編集, then `change` in Halvorn, 登録 and Halvorn closed; what Halvorn
  // said on the way.
  std::vector<std::u16string> EditAndRegister(const ReservationRow& row,
                                              const std::function<void(headless::Window&)>& change = {});

  // 編集 and an unchanged 登録 of the stored item `name`. `refused` holds
  // the viewer's reason where 編集 refuses it; otherwise `fault` says what
  // did not come back, empty when every part Halvorn writes did and
  // Halvorn's settings stayed as they were.
  struct RoundTrip {
    std::optional<std::u16string> refused;
    std::string fault;
  };
  RoundTrip HandBack(const std::u16string& name);

  TempFolder folder;
  headless::Platform platform;
  FakeServices services;
  FakeTaskScheduler scheduler;
  ChannelTable channels;
};
