#include "settings/ini_document.h"

#include <algorithm>

#include "compose/c_numbers.h"

namespace {

constexpr std::size_t npos = std::u16string::npos;

std::u16string_view Trim(std::u16string_view text) {
  constexpr std::u16string_view kBlanks = u" \t";
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

char16_t Fold(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

bool SameName(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return Fold(x) == Fold(y); });
}

// "[name]" (blanks allowed around it): the name, or nothing for other lines.
std::optional<std::u16string_view> SectionName(std::u16string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != u'[') return std::nullopt;
  const std::size_t close = line.find(u']');
  return Trim(line.substr(1, close == npos ? npos : close - 1));
}

std::u16string_view KeyName(std::u16string_view line) {
  const std::size_t equals = line.find(u'=');
  return Trim(line.substr(0, equals));
}

}  // namespace

IniDocument::IniDocument(std::u16string_view text) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(u'\n', start);
    if (end == npos) end = text.size();
    std::u16string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
    lines_.emplace_back(line);
    start = end + 1;
  }
}

std::size_t IniDocument::FindSection(std::u16string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const auto name = SectionName(lines_[i]);
    if (name && SameName(*name, section)) return i;
  }
  return npos;
}

std::size_t IniDocument::FindKey(std::size_t header, std::u16string_view key) const {
  for (std::size_t i = header + 1; i < lines_.size() && !SectionName(lines_[i]); ++i) {
    if (lines_[i].find(u'=') != npos && SameName(KeyName(lines_[i]), key)) return i;
  }
  return npos;
}

std::optional<std::u16string> IniDocument::Get(std::u16string_view section, std::u16string_view key) const {
  const std::size_t header = FindSection(section);
  if (header == npos) return std::nullopt;
  const std::size_t line = FindKey(header, key);
  if (line == npos) return std::nullopt;
  std::u16string_view value = Trim(std::u16string_view(lines_[line]).substr(lines_[line].find(u'=') + 1));
  // A value in matching quotes is read without them.
  if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::u16string(value);
}

void IniDocument::Set(std::u16string_view section, std::u16string_view key, std::u16string_view value) {
  std::u16string entry(key);
  entry.append(u"=").append(value);
  const std::size_t header = FindSection(section);
  if (header == npos) {
    std::u16string header_line(u"[");
    header_line.append(section).append(u"]");
    lines_.push_back(std::move(header_line));
    lines_.push_back(entry);
    return;
  }
  const std::size_t line = FindKey(header, key);
  if (line != npos) {
    lines_[line] = entry;
    return;
  }
  // After the section's last non-empty line, before any blank lines that
  // separate it from the next section.
  std::size_t end = header + 1;
  while (end < lines_.size() && !SectionName(lines_[end])) ++end;
  while (end > header + 1 && Trim(lines_[end - 1]).empty()) --end;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(end), entry);
}

std::u16string IniDocument::Text() const {
  std::u16string text;
  for (const auto& line : lines_) {
    text += line;
    text += u"\r\n";
  }
  return text;
}

int ReadIniInt(const IniDocument& ini, std::u16string_view section, std::u16string_view key, int fallback) {
  const auto value = ini.Get(section, key);
  if (!value) return fallback;
  return ReadInt(*value);
}

std::u16string ReadIniString(const IniDocument& ini, std::u16string_view section, std::u16string_view key,
                             std::u16string_view fallback, std::size_t width) {
  const auto value = ini.Get(section, key);
  return std::u16string(value ? std::u16string_view(*value) : fallback).substr(0, width);
}
