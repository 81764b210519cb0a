#pragma once

#include <string>

#include "iepg/channel_table.h"
#include "reservations/reservation_list.h"

// A reservation file (iEPG version 1) that hands a stored reservation back
// to Halvorn to be changed: its date, start and end, a title, the station
// Halvorn will find the stored channel by, and Halvorn's own keys naming the
// work item and the tuner, so that registering replaces the work item.
std::u16string ComposeEditReservation(const ReservationRow& row, const ChannelTable& table);

// The station to write for a channel: the first name in the stations of the
// first row whose command is the channel, or the channel itself.
std::u16string StationForChannel(const ChannelTable& table, std::u16string_view channel);
