#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "framework/calendar_time.h"
#include "scheduler/task_scheduler.h"

struct KeptWorkItemParts;

// The moment the task starts: the reservation's start less the lead, which
// may carry it back into the previous day, month or year.
std::optional<fw::CalendarTime> StartMoment(const fw::CalendarTime& date, int hour, int minute, int offset_min);

// The days of a weekly trigger. When the lead carried the start back over
// midnight, each ticked day selects the day before it. Slot 7 of `weekdays`
// becomes a copy of slot 0 so that the days read round the week.
std::uint16_t WeekdayMask(std::array<int, 8>& weekdays, const fw::CalendarTime& start, int offset_min);

// Run only if logged on, always; delete when done and wake the computer as asked.
std::uint32_t WorkItemFlags(int del_task, int resume);

inline constexpr std::uint32_t kTaskFlagDeleteWhenDone = 0x2;
inline constexpr std::uint32_t kTaskFlagSystemRequired = 0x1000;
inline constexpr std::uint32_t kTaskFlagRunOnlyIfLoggedOn = 0x2000;
// The flags that Halvorn's check boxes stand for.
inline constexpr std::uint32_t kFlagsTheFormSets = kTaskFlagDeleteWhenDone | kTaskFlagSystemRequired;

// The one trigger of a registered work item.
TaskTrigger BuildTrigger(const fw::CalendarTime& start, int repeat, std::uint16_t weekday_mask);

// The parts of a trigger no control of the form shows (its flags, end date,
// duration and interval), kept from a stored trigger and given back onto the
// one the form builds: the one list of them, so that none is lost on the way.
void KeepTriggerParts(const TaskTrigger& stored, KeptWorkItemParts& kept);
void GiveBackTriggerParts(const KeptWorkItemParts& kept, TaskTrigger& built);
