#pragma once

#include <optional>
#include <string>

#include "iepg/channel_table.h"
#include "model/recording_profile.h"
#include "reservations/views/reservation_list.h"

// A reservation file (iEPG version 1) that hands a stored reservation back
// to Halvorn to be changed: its date, start and end, a title, the station
// and the channel, and Halvorn's own keys naming the work item and the
// tuner, so that registering replaces the work item.
std::u16string ComposeEditReservation(const ReservationRow& row, const ChannelTable& table);

// What of Halvorn's settings a reservation handed back to it depends on.
struct HalvornSetup {
  ProfileArray profiles{};
  int profile_count = 0;
  int offset_min = 1;   // the start lead Halvorn registers with
  int parentheses = 0;  // whether Halvorn takes bracketed parts off names
};

// Why a row cannot go to Halvorn and come back as the same reservation
// when nothing is changed there: one line for the user. Nothing when it can.
std::optional<std::u16string> WhyNotEditable(const ReservationRow& row, const HalvornSetup& setup);

// The station to write for a channel: the first name in the stations of the
// first row whose command is the channel, or the channel itself.
std::u16string StationForChannel(const ChannelTable& table, std::u16string_view channel);
