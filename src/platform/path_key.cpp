#include "platform/path_key.h"

#include <algorithm>
#include <vector>

#include "platform/letter_case.h"

namespace {

PathKeyMaker key_maker = TextualPathKey;

std::u16string_view WithoutQuotes(std::u16string_view path) {
  if (path.size() >= 2 && path.front() == u'"' && path.back() == u'"') path = path.substr(1, path.size() - 2);
  return path;
}

}  // namespace

std::u16string PathKey(std::u16string_view path) { return key_maker(WithoutQuotes(path)); }

void SetPathKeyMaker(PathKeyMaker maker) { key_maker = maker != nullptr ? maker : TextualPathKey; }

bool PathMatchesPattern(std::u16string_view path, std::u16string_view pattern) {
  const std::u16string key = PathKey(path);
  const std::u16string wanted = PathKey(pattern);
  return key.size() == wanted.size() &&
         std::equal(key.begin(), key.end(), wanted.begin(), [](char16_t k, char16_t w) { return w == u'?' || k == w; });
}

std::u16string TextualPathKey(std::u16string_view path) {
  path = WithoutQuotes(path);
  // "\\server\share" keeps its two leading separators, "\folder" its one.
  const std::size_t first = path.find_first_not_of(u"\\/");
  std::size_t at = first == std::u16string_view::npos ? path.size() : first;
  const std::size_t root = std::min<std::size_t>(at, 2);
  std::vector<std::u16string> parts;
  while (at < path.size()) {
    std::size_t end = path.find_first_of(u"\\/", at);
    if (end == std::u16string_view::npos) end = path.size();
    std::u16string part(path.substr(at, end - at));
    at = end + 1;
    if (part == u"..") {
      if (parts.size() > 1) parts.pop_back();
      continue;
    }
    while (!part.empty() && (part.back() == u'.' || part.back() == u' ')) part.pop_back();
    if (part.empty()) continue;
    parts.push_back(InWindowsNameCase(part));
  }
  std::u16string full(root, u'\\');
  for (std::size_t i = 0; i < parts.size(); ++i) full += (i == 0 ? u"" : u"\\") + parts[i];
  return full;
}
