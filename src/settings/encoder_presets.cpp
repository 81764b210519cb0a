#include "settings/encoder_presets.h"

#include "platform/text_file.h"

namespace {

std::u16string_view TrimWhiteSpace(std::u16string_view text) {
  constexpr std::u16string_view kWhite = u" \t\r\n\v\f\u3000";
  const std::size_t first = text.find_first_not_of(kWhite);
  if (first == std::u16string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kWhite) - first + 1);
}

// The preset names of the file, line by line.
class PresetLines {
 public:
  explicit PresetLines(std::vector<std::u16string>& presets) : presets_(presets) {}

  bool Take(std::u16string_view line) {
    if (line.starts_with(u"[VLC_SETTING]")) {
      prefix_ = u"vlc:";
    } else if (line.starts_with(u"[FFMPEG_SETTING]")) {
      prefix_ = u"ffmpeg:";
    } else if (line.starts_with(u"[")) {
      prefix_ = {};
    } else if (line.find(u';') != std::u16string_view::npos || line.find(u"PATH") != std::u16string_view::npos ||
               prefix_.empty()) {
      return true;
    } else if (const std::size_t equals = line.find(u'='); equals != std::u16string_view::npos) {
      // Joined first, then trimmed: only the name's trailing blanks go.
      std::u16string item(prefix_);
      item += line.substr(0, equals);
      presets_.emplace_back(TrimWhiteSpace(item));
    }
    return true;
  }

 private:
  std::vector<std::u16string>& presets_;
  std::u16string_view prefix_;
};

}  // namespace

std::vector<std::u16string> ParseEncoderPresets(std::u16string_view text) {
  std::vector<std::u16string> presets;
  PresetLines lines(presets);
  ForEachLinePiece(text, [&lines](std::u16string_view line) { return lines.Take(line); });
  return presets;
}

bool LoadEncoderPresetFile(std::u16string_view path, std::vector<std::u16string>& presets) {
  std::vector<std::u16string> read;
  PresetLines lines(read);
  if (!ReadLinePieces(path, [&lines](std::u16string_view line) { return lines.Take(line); })) return false;
  presets = std::move(read);
  return true;
}
