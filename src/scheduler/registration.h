#pragma once

#include <functional>
#include <optional>
#include <string>

#include "framework/calendar_time.h"
#include "model/reservation_form.h"
#include "scheduler/task_scheduler.h"

// Where the registration's start comes from: the calendar's date and the
// start-time picker's hour and minute.
struct RegistrationStart {
  fw::CalendarTime date;
  int hour = 0;
  int minute = 0;
};

// The checks of the form that come before the Task Scheduler is reached:
// the message for the first that fails, or nothing.
std::optional<std::u16string> CheckRegistrationForm(const ReservationForm& form);

// Whether the registration name or the file name holds a character no file
// name may have; the registration refuses such a form.
bool HasForbiddenName(const ReservationForm& form);

// The flags of the work item the form registers.
std::uint32_t RegistrationFlags(const ReservationForm& form);

// The one trigger the form registers; nothing when its start cannot be
// converted to a date.
std::optional<TaskTrigger> RegistrationTrigger(const ReservationForm& form, const RegistrationStart& start);

// The name the checks, the delete and the duplicate look-up use: the
// registration name's first 255 characters.
std::u16string WorkingName(const ReservationForm& form);

// What a registration needs to know to replace a stored work item where it
// stands, rather than make a new one.
struct ReplacementRules {
  // Whether the program a stored work item runs makes it a recording
  // reservation of ours; no other work item is ever replaced. Without it,
  // none is.
  std::function<bool(std::u16string_view application)> runs_a_recorder;
  // Whether the user gave the account or the password anew; otherwise the
  // replaced work item keeps the credentials it was stored with.
  bool credentials_changed = true;
};

// The flags a registration stores: wake and delete-when-done as the form
// has them, every other flag as `kept` has it.
std::uint32_t FlagsKeeping(std::uint32_t kept, const ReservationForm& form);

// A stored trigger with the form's schedule on it: its kind, days, start
// and begin date; its end date, flags, duration and interval stay.
TaskTrigger ScheduleOnto(TaskTrigger stored, const TaskTrigger& planned);

// What changes on a stored recording reservation; every part left empty
// stays as stored, and so does everything no part names.
struct StoredReservationChange {
  struct Credentials {
    std::u16string account, password;
  };
  struct RecorderCommand {
    std::u16string application, working_folder, parameters;
  };
  std::optional<Credentials> credentials;
  std::optional<RecorderCommand> command;
  // Goes onto the stored trigger by `ScheduleOnto`; a stored item without a
  // trigger is given this one.
  std::optional<TaskTrigger> schedule;
  // The flags to store, from the stored ones; empty keeps them.
  std::function<std::uint32_t(std::uint32_t stored)> flags;
};

// The one way a stored work item is changed: opened under `name` (as
// Windows matches names), refused unless it runs a recorder by
// `runs_a_recorder`, given the change and saved under its own name. Nothing
// when saved; otherwise the message for the user, and the item as it was.
std::optional<std::u16string> ChangeStoredReservation(
    TaskSchedulerPlatform& platform, std::u16string_view name, const StoredReservationChange& change,
    const std::function<bool(std::u16string_view application)>& runs_a_recorder);

// The one way a stored work item is deleted: only where, opened under
// `name`, it runs a recorder by `runs_a_recorder`. Nothing when it is gone;
// otherwise the message for the user.
std::optional<std::u16string> DeleteStoredReservation(
    TaskSchedulerPlatform& platform, std::u16string_view name,
    const std::function<bool(std::u16string_view application)>& runs_a_recorder);

// Turns the form into one saved work item. Nothing when it was saved;
// otherwise the message that tells the user what went wrong. Every
// interface is released and COM is ended before this returns, whatever the
// outcome, and a failure leaves no new work item behind.
//
// A stored work item of the same name, as Windows matches names, is a
// duplicate unless the form asks to replace it. Then only a recording
// reservation is replaced, and in place: opened, given the parts the form
// owns, and saved under its own name, so that everything else it holds
// stays and a failure leaves it as it was.
std::optional<std::u16string> RegisterWorkItem(ReservationForm& form, const RegistrationStart& start,
                                               TaskSchedulerPlatform& platform, const ReplacementRules& rules = {});

// Whether the registration replaces the stored work item of its name: only
// where the form asks it to, and only a recording reservation. Otherwise
// the form is its duplicate, or refused for not being one.
bool ReplacesStoredItem(const ReservationForm& form, bool runs_a_recorder);

// The refusal to replace a work item that is not a recording reservation.
std::u16string NotAReservationMessage(std::u16string_view name);

inline constexpr std::u16string_view kRegisteredMessage = u"登録しました";
