#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// A fixed-capacity UTF-16 text field of a stored record. N counts the
// terminator, so the field holds at most N-1 units; a longer value is cut
// there when it is assigned, never rejected.
template <std::size_t N>
class FixedText {
  static_assert(N >= 1);

 public:
  static constexpr std::size_t kCapacity = N;
  static constexpr std::size_t kMaxLength = N - 1;

  FixedText() = default;
  FixedText(std::u16string_view text) { assign(text); }  // NOLINT: reads like the field it stands for

  FixedText& operator=(std::u16string_view text) {
    assign(text);
    return *this;
  }

  void assign(std::u16string_view text) {
    length_ = std::min(text.size(), kMaxLength);
    std::copy_n(text.begin(), length_, units_.begin());
    units_[length_] = u'\0';
  }

  std::u16string_view view() const { return {units_.data(), length_}; }
  std::u16string str() const { return std::u16string(view()); }
  operator std::u16string_view() const { return view(); }  // NOLINT
  bool empty() const { return length_ == 0; }
  std::size_t size() const { return length_; }

  friend bool operator==(const FixedText& a, const FixedText& b) { return a.view() == b.view(); }
  friend bool operator==(const FixedText& a, std::u16string_view b) { return a.view() == b; }

 private:
  std::array<char16_t, N> units_{};
  std::size_t length_ = 0;
};
