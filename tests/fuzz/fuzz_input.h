#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Fuzz bytes seen as the program sees outside input.
struct FuzzInput {
  const std::uint8_t* data;
  std::size_t size;

  std::string_view Bytes() const { return {reinterpret_cast<const char*>(data), size}; }

  // Pairs of bytes as UTF-16 units, unpaired surrogates and NULs included.
  std::u16string Units() const {
    std::u16string units;
    for (std::size_t i = 0; i + 1 < size; i += 2) units.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    return units;
  }

  // The units split at U+0001 into `count` fields (missing ones empty).
  std::vector<std::u16string> Fields(std::size_t count) const {
    std::vector<std::u16string> fields(count);
    std::size_t field = 0;
    for (char16_t unit : Units()) {
      if (unit == 1) {
        if (++field == count) break;
      } else {
        fields[field].push_back(unit);
      }
    }
    return fields;
  }
};
