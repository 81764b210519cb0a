#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system_facts.h"
#include "reservations/checks/reading_checks.h"
#include "reservations/edit/edit_reservation.h"
#include "reservations/views/reservation_list.h"
#include "scheduler/task_scheduler.h"

// How the viewer and its check read the reservations, one way for both:
// the Task Scheduler's work items, Halvorn's settings and channel table
// beside the program, and the checks of what the recordings need.

// The same clock Halvorn asks before it registers.
LocalMinute CurrentLocalMinute();
std::wstring TasksFolder();
std::u16string BesideViewer(std::u16string_view file_name);
// What the viewer takes from Halvorn's settings.
HalvornSetup ReadHalvornSetup();

struct ReservationReading {
  std::vector<ReservationRow> rows;  // listed, their tuners named after the profiles
  HResult status = 0;                // below zero where the Task Scheduler could not be read
  HalvornSetup halvorn;
  LocalMinute at = 0;
  bool check_registered = false;  // the viewer's own check is among the work items
};
ReservationReading ReadReservations(TaskSchedulerPlatform& scheduler);

// The reading's checks on the file system's answers, the rates kept in
// Brisquet.ini learning from the runs judged 正常.
ReadingChecks CheckAndLearn(std::vector<ReservationRow>& rows, FileSystemFacts& facts, LocalMinute now);
