#pragma once

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

// Turns the form into one saved work item. Nothing when it was saved;
// otherwise the message that tells the user what went wrong. Every
// interface is released and COM is ended before this returns, whatever the
// outcome, and a failure leaves no new work item behind.
std::optional<std::u16string> RegisterWorkItem(ReservationForm& form, const RegistrationStart& start,
                                               TaskSchedulerPlatform& platform);

inline constexpr std::u16string_view kRegisteredMessage = u"登録しました";
