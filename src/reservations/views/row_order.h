#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "reservations/views/reservation_list.h"

// The column the list is sorted by, and which way.
struct RowOrder {
  Column column = Column::NextStart;
  bool descending = false;
  friend bool operator==(const RowOrder&, const RowOrder&) = default;
};

// Two texts in the user's order: below 0, 0 or above 0.
using TextOrder = std::function<int(std::u16string_view, std::u16string_view)>;

// Dates and times sort as moments, tuners as the numbers the recorder reads,
// the rest as texts in the user's order. Rows that tie keep their order.
void SortRows(std::vector<ReservationRow>& rows, RowOrder order, const TextOrder& texts);
