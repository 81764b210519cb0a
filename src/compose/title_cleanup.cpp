#include "compose/title_cleanup.h"

namespace {

void RemoveSpan(std::u16string& text, char16_t open, char16_t close) {
  const std::size_t first_open = text.find(open);
  if (first_open == std::u16string::npos) return;
  const std::size_t last_close = text.rfind(close);
  if (last_close == std::u16string::npos) return;
  // A closing bracket that comes before the opening one encloses nothing;
  // such a title keeps its text.
  if (last_close < first_open) return;
  text.erase(first_open, last_close - first_open + 1);
}

}  // namespace

void CleanTitle(std::u16string& text) {
  RemoveSpan(text, u'[', u']');
  RemoveSpan(text, u'(', u')');
}
