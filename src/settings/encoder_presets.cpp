#include "settings/encoder_presets.h"

#include "platform/text_file.h"

namespace {

std::u16string_view TrimWhiteSpace(std::u16string_view text) {
  constexpr std::u16string_view kWhite = u" \t\r\n\v\f\u3000";
  const std::size_t first = text.find_first_not_of(kWhite);
  if (first == std::u16string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kWhite) - first + 1);
}

}  // namespace

std::vector<std::u16string> ParseEncoderPresets(std::u16string_view text) {
  std::vector<std::u16string> presets;
  std::u16string_view prefix;
  for (const std::u16string& piece : SplitTextLines(text)) {
    const std::u16string_view line = piece;
    if (line.starts_with(u"[VLC_SETTING]")) {
      prefix = u"vlc:";
    } else if (line.starts_with(u"[FFMPEG_SETTING]")) {
      prefix = u"ffmpeg:";
    } else if (line.starts_with(u"[")) {
      prefix = {};
    } else if (line.find(u';') != std::u16string_view::npos || line.find(u"PATH") != std::u16string_view::npos ||
               prefix.empty()) {
      continue;
    } else if (const std::size_t equals = line.find(u'='); equals != std::u16string_view::npos) {
      // Joined first, then trimmed: only the name's trailing blanks go.
      std::u16string item(prefix);
      item += line.substr(0, equals);
      presets.emplace_back(TrimWhiteSpace(item));
    }
  }
  return presets;
}

bool LoadEncoderPresetFile(std::u16string_view path, std::vector<std::u16string>& presets) {
  const auto text = ReadCodePage932File(path);
  if (!text) return false;
  presets = ParseEncoderPresets(*text);
  return true;
}
