#pragma once

#include <string>
#include <string_view>
#include <vector>

// The encoder presets of the recorder variant's "cap_sts_sea.ini": the key
// names of its [VLC_SETTING] and [FFMPEG_SETTING] sections, offered as
// "vlc:NAME" and "ffmpeg:NAME" in the file's order. Values are never read.
inline constexpr std::u16string_view kEncoderPresetFileName = u"cap_sts_sea.ini";

std::vector<std::u16string> ParseEncoderPresets(std::u16string_view text);

// False when the file cannot be opened; `presets` then stays empty.
bool LoadEncoderPresetFile(std::u16string_view path, std::vector<std::u16string>& presets);
