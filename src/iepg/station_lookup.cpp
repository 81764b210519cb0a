#include "iepg/station_lookup.h"

#include <array>
#include <optional>

namespace {

bool IsDecimalDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsHexDigit(char16_t c) { return IsDecimalDigit(c) || (c >= u'a' && c <= u'f'); }
bool IsLetterOrDigit(char16_t c) { return IsDecimalDigit(c) || (c >= u'a' && c <= u'z'); }

// A station code in folded text: its kind and its number without leading
// zeros, so that DFS05c38 and DFS05C38, or CSDT55 and CSDT055, are one.
struct StationCode {
  std::u16string_view kind;
  std::u16string number;
  friend bool operator==(const StationCode&, const StationCode&) = default;
};

struct CodeKind {
  std::u16string_view prefix;
  bool hexadecimal;
};
constexpr std::array<CodeKind, 4> kCodeKinds = {{{u"dfs", true}, {u"dos", true}, {u"bsdt", false}, {u"csdt", false}}};

// The code that begins at `at` of folded text, and how long it is.
std::optional<StationCode> CodeAt(std::u16string_view text, std::size_t at, std::size_t& length) {
  for (const CodeKind& kind : kCodeKinds) {
    if (text.substr(at, kind.prefix.size()) != kind.prefix) continue;
    std::size_t end = at + kind.prefix.size();
    while (end < text.size() && (kind.hexadecimal ? IsHexDigit(text[end]) : IsDecimalDigit(text[end]))) ++end;
    const std::size_t digits = at + kind.prefix.size();
    if (end == digits) continue;
    std::u16string_view number = text.substr(digits, end - digits);
    while (number.size() > 1 && number.front() == u'0') number.remove_prefix(1);
    length = end - at;
    return StationCode{kind.prefix, std::u16string(number)};
  }
  return std::nullopt;
}

// The code that the whole of a file's station is, if it is one.
std::optional<StationCode> WholeCode(std::u16string_view folded) {
  std::size_t length = 0;
  auto code = CodeAt(folded, 0, length);
  if (!code || length != folded.size()) return std::nullopt;
  return code;
}

// Whether folded station text holds the code as a word of its own.
bool HoldsCode(std::u16string_view folded, const StationCode& wanted) {
  for (std::size_t at = 0; at < folded.size(); ++at) {
    if (at > 0 && IsLetterOrDigit(folded[at - 1])) continue;
    std::size_t length = 0;
    const auto code = CodeAt(folded, at, length);
    if (code && (at + length == folded.size() || !IsLetterOrDigit(folded[at + length])) && *code == wanted) return true;
  }
  return false;
}

template <class Matches>
int FirstRow(const ChannelTable& table, Matches matches) {
  for (int i = 0; i < table.count; ++i) {
    if (matches(table.rows[static_cast<std::size_t>(i)].stations.view())) return i;
  }
  return -1;
}

int FindFolded(const ChannelTable& table, std::u16string_view station) {
  const std::u16string wanted = FoldStationText(station);
  return FirstRow(table, [&wanted](std::u16string_view stations) {
    return FoldStationText(stations).find(wanted) != std::u16string::npos;
  });
}

}  // namespace

std::u16string FoldStationText(std::u16string_view text) {
  std::u16string folded(text);
  for (char16_t& c : folded) {
    if (c >= u'\uFF01' && c <= u'\uFF5E') c = static_cast<char16_t>(c - 0xFEE0);
    if (c == u'\u3000') c = u' ';
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return folded;
}

int LookUpStation(const ChannelTable& table, std::u16string_view station, std::u16string_view station_name) {
  if (const int row = FindStation(table, station); row >= 0) return row;
  if (const int row = FindFolded(table, station); row >= 0) return row;
  if (const auto code = WholeCode(FoldStationText(station))) {
    const int row =
        FirstRow(table, [&code](std::u16string_view stations) { return HoldsCode(FoldStationText(stations), *code); });
    if (row >= 0) return row;
  }
  // An empty name is in every row; it names none.
  if (station_name.empty()) return -1;
  if (const int row = FindStation(table, station_name); row >= 0) return row;
  return FindFolded(table, station_name);
}
