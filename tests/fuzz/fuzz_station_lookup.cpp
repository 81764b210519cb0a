// Any channel table, station and broadcaster's name: the look-up finds a
// row of the table or none, and never reads outside it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz/fuzz_input.h"
#include "iepg/station_lookup.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::u16string> fields = FuzzInput{data, size}.Fields(3);
  ChannelTable table;
  ParseChannelTable(fields[0], table);
  const int row = LookUpStation(table, fields[1], fields[2]);
  if (row < -1 || row >= table.count) std::abort();
  return 0;
}
