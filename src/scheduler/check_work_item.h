#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "scheduler/task_scheduler.h"

// The viewer's own work item that runs its check at logon and every
// evening. It runs no recorder, so no list, timeline, question or check
// ever counts it as a reservation.
inline constexpr std::u16string_view kCheckWorkItemName = u"Brisquet 録画の確認";
inline constexpr std::u16string_view kCheckParameters = u"/check";
inline constexpr std::uint32_t kTaskEventTriggerAtLogon = 7;  // TASK_EVENT_TRIGGER_AT_LOGON
inline constexpr std::uint16_t kCheckHour = 18;
inline constexpr std::uint32_t kCheckRunLimit = 15 * 60 * 1000;

// The triggers it runs by: at logon, and every day at 18:00, from `today`.
TaskTrigger CheckAtLogon(const TaskTime& today);
TaskTrigger CheckEveryEvening(const TaskTime& today);

// Registers `viewer /check` from the viewer's folder as `account`, only
// while that user is logged on and so with no password, waking nothing,
// for at most 15 minutes. Nothing when it is stored; otherwise the message.
std::optional<std::u16string> RegisterCheckWorkItem(TaskSchedulerPlatform& platform, std::u16string_view viewer,
                                                    std::u16string_view account, const TaskTime& today);

// Whether the program a stored work item runs is this viewer's check.
bool RunsTheCheck(std::u16string_view application, std::u16string_view viewer);
