#pragma once

#include <optional>
#include <string>

#include "iepg/channel_table.h"
#include "reservations/reservation_list.h"

// A reservation file (iEPG version 1) that hands a stored reservation back
// to Halvorn to be changed: its date, start and end, a title, the station
// and the channel, and Halvorn's own keys naming the work item and the
// tuner, so that registering replaces the work item.
std::u16string ComposeEditReservation(const ReservationRow& row, const ChannelTable& table);

// Why a row cannot go to Halvorn and come back as the same reservation
// when nothing is changed there: one line for the user. Nothing when it
// can. `offset_min` is the start lead Halvorn registers with.
std::optional<std::u16string> WhyNotEditable(const ReservationRow& row, int offset_min);

// The station to write for a channel: the first name in the stations of the
// first row whose command is the channel, or the channel itself.
std::u16string StationForChannel(const ChannelTable& table, std::u16string_view channel);
