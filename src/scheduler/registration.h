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

// Turns the form into one saved work item. Nothing when it was saved;
// otherwise the message that tells the user what went wrong. Every
// interface is released and COM is ended before this returns, whatever the
// outcome, and a failure leaves no new work item behind.
std::optional<std::u16string> RegisterWorkItem(ReservationForm& form, const RegistrationStart& start,
                                               TaskSchedulerPlatform& platform);

inline constexpr std::u16string_view kRegisteredMessage = u"登録しました";
