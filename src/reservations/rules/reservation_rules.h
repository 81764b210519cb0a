#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/recording_profile.h"
#include "reservations/tuners/collisions.h"
#include "reservations/rules/occurrences.h"
#include "reservations/rules/recorder_parameters.h"
#include "reservations/stored/stored_work_items.h"

// What records and what collides: the one set of rules that the viewer's
// rows and Halvorn's question before registering both follow.

// Whether a stored reservation will record, and if not, why not.
enum class Standing {
  Records,
  Disabled,   // the work item or its trigger is switched off
  Ended,      // a once-recording that is over, or a series whose last recording before its end date is
  NoTrigger,  // no trigger, or one whose date and time no calendar has
};

// A trigger whose begin date and start time are a real date and time.
bool TriggerCanBeRead(const TaskTrigger& trigger);

Standing StandingOf(const StoredWorkItem& item, const std::optional<RecordingWindow>& window, LocalMinute now);

// The tuner an I switch's value names. The recorder reads the value as a
// decimal number, so "2", "02", "2.0" and "+2" are one tuner; a value that
// is no number only names itself. The default tuner is the empty value.
TunerId TunerOf(std::u16string_view value);
// The same tuner of the recorder program `application`: two reservations
// need one tuner only when they run one program, their paths compared by
// `PathKey`.
TunerId TunerOf(std::u16string_view application, std::u16string_view value);

// The tuner a profile records with: its recorder, "?" filled from its ID,
// and no I switch where its ID reads as 0.
TunerId TunerOfProfile(const RecordingProfile& profile);

// What a reservation books between `from` and `to`: nothing unless it
// records, and no tuner unless its parameters name one Halvorn composed.
TunerBooking BookingOf(const StoredWorkItem& item, const RecorderParameters& recorder, Standing standing,
                       LocalMinute from, LocalMinute to);
