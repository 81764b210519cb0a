#include "reservations/views/row_order.h"

#include <algorithm>

namespace {

template <class T>
int Compare(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

LocalMinute LastRunMinute(const ReservationRow& row) {
  if (!row.item.last_run) return -1;
  const TaskTime& t = *row.item.last_run;
  return ToLocalMinute(t.year, t.month, t.day, t.hour, t.minute);
}

int CompareRows(const ReservationRow& a, const ReservationRow& b, Column column, const TextOrder& texts) {
  switch (column) {
    case Column::NextStart:
      // Rows that will not record come after every date.
      return Compare(std::make_pair(!a.next_start, a.next_start.value_or(0)),
                     std::make_pair(!b.next_start, b.next_start.value_or(0)));
    case Column::LastRun:
      return Compare(LastRunMinute(a), LastRunMinute(b));
    case Column::Window: {
      const auto window = [](const ReservationRow& row) {
        return row.recorder.window ? std::make_pair(row.recorder.window->start, row.recorder.window->end)
                                   : std::make_pair(-1, -1);
      };
      return Compare(window(a), window(b));
    }
    case Column::Tuner: {
      // Numbered tuners in their order, then the others as texts.
      const auto id = [](const ReservationRow& row) {
        return row.recorder.tuner ? TunerOf(row.item.application, *row.recorder.tuner) : TunerId{};
      };
      const TunerId x = id(a), y = id(b);
      // Each recorder program's tuners together.
      if (x.device != y.device) return Compare(x.device, y.device);
      if (x.number && y.number) return Compare(*x.number, *y.number);
      if (x.number || y.number) return x.number ? -1 : 1;
      break;
    }
    default:
      break;
  }
  return texts(ColumnText(a, column), ColumnText(b, column));
}

}  // namespace

void SortRows(std::vector<ReservationRow>& rows, RowOrder order, const TextOrder& texts) {
  std::stable_sort(rows.begin(), rows.end(), [&](const ReservationRow& a, const ReservationRow& b) {
    const int compared = CompareRows(a, b, order.column, texts);
    return order.descending ? compared > 0 : compared < 0;
  });
}
