// Encoder preset names from the recorder variant's settings file.
#include "settings/encoder_presets.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace {

using Presets = std::vector<std::u16string>;

TEST(EncoderPresets, OffersTheKeyNamesOfBothEncoderSectionsInFileOrder) {
  EXPECT_EQ(ParseEncoderPresets(u"[VLC_SETTING]\nh264=--sout x\nmpeg2 =--sout y\n[FFMPEG_SETTING]\nx264=-vcodec\n"
                                u"  spaced=1\n=bare\nx264=again\n"),
            (Presets{u"vlc:h264", u"vlc:mpeg2", u"ffmpeg:x264", u"ffmpeg:  spaced", u"ffmpeg:", u"ffmpeg:x264"}));
}

TEST(EncoderPresets, SkipsCommentsPathsOtherSectionsAndLinesWithoutEquals) {
  EXPECT_EQ(ParseEncoderPresets(u"early=1\n[vlc_setting]\nlower=1\n[VLC_SETTING] trailing text\nVLC_PATH=C:\\vlc\n"
                                u"a=x;y\nb=C:\\PATH\\x\nc=path\nno equals\n[OTHER]\nd=1\n"),
            (Presets{u"vlc:c"}));
}

TEST(EncoderPresets, ReadsTheFileInCodePage932AndKeepsLongNamesWhole) {
  TempFolder folder;
  folder.WriteText("cap_sts_sea.ini", u"[FFMPEG_SETTING]\n高画質=1\n" + std::u16string(40, u'n') + u"=2\n");
  Presets presets;
  EXPECT_TRUE(LoadEncoderPresetFile(folder.WindowsPath("cap_sts_sea.ini"), presets));
  EXPECT_EQ(presets, (Presets{u"ffmpeg:高画質", u"ffmpeg:" + std::u16string(40, u'n')}));
  EXPECT_FALSE(LoadEncoderPresetFile(folder.WindowsPath("missing.ini"), presets));
}

}  // namespace
