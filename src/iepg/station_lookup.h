#pragma once

#include <string>
#include <string_view>

#include "iepg/channel_table.h"

// The channel table row a reservation's station means. The row whose
// stations contain the file's station exactly comes first, as it always
// did. Only when there is none, in this order:
//  1. the same, with full-width letters, digits and signs, the ideographic
//     space and letter case folded on both sides;
//  2. for a station code (DFS or DOS with a hexadecimal service number,
//     BSDT or CSDT with a decimal one), a row holding a code of the same
//     kind and number, however it is padded or cased;
//  3. the broadcaster's name the file gives besides, exactly and folded.
// The first row that matches wins; -1 when no rule finds one.
int LookUpStation(const ChannelTable& table, std::u16string_view station, std::u16string_view station_name);

// Full-width ASCII as ASCII, the ideographic space as a blank, and capital
// letters as small ones.
std::u16string FoldStationText(std::u16string_view text);
