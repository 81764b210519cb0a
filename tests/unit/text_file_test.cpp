// Text files read piece by piece, however large they are, with the same
// pieces the C runtime's line reader gives.
#include "platform/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/file_access.h"
#include "platform/local_time.h"
#include "support/temp_folder.h"

namespace {

using Pieces = std::vector<std::u16string>;
using namespace std::string_view_literals;

Pieces PiecesOfText(std::u16string_view text) {
  Pieces pieces;
  ForEachLinePiece(text, [&pieces](std::u16string_view piece) {
    pieces.emplace_back(piece);
    return true;
  });
  return pieces;
}

class TextFile : public ::testing::Test {
 protected:
  std::optional<Pieces> PiecesOfFile(std::string_view name) {
    Pieces pieces;
    if (!ReadLinePieces(folder.WindowsPath(name), [&pieces](std::u16string_view piece) {
          pieces.emplace_back(piece);
          return true;
        })) {
      return std::nullopt;
    }
    return pieces;
  }
  TempFolder folder;
};

TEST(LinePieces, CarriageReturnsNulsAndOverlongLines) {
  EXPECT_EQ(PiecesOfText(u"a\r\nb\rc\r\r\nd\r"), (Pieces{u"a\n", u"b\rc\r\n", u"d\r"}));
  EXPECT_EQ(PiecesOfText(u"x\0y\nz"sv), (Pieces{u"x", u"z"}));
  // A line of exactly 65534 characters leaves its line feed as a piece of its own.
  const std::u16string full(kMaxLinePiece, u'x');
  EXPECT_EQ(PiecesOfText(full + u"\r\n" + full + u"y\n"), (Pieces{full, u"\n", full, u"y\n"}));
  EXPECT_TRUE(PiecesOfText(u"").empty());
}

TEST_F(TextFile, AFileGivesThePiecesItsWholeTextWould) {
  // Line ends and double-byte characters that straddle the blocks the file
  // is read in.
  const std::u16string kanji(40000, u'長');
  const std::vector<std::u16string> texts = {
      std::u16string(65535, u'a') + u"\r\nnext\n",
      std::u16string(65534, u'a') + u"\r\nnext",
      u"a" + kanji + u"\n" + kanji + kanji + u"b\r\n",
      u"a" + std::u16string(40000, u'\u3000') + u"\n",  // 0x81 0x40, the lowest lead byte
      std::u16string(70000, u'\n'),
  };
  for (const auto& text : texts) {
    folder.WriteBytes("text.txt", EncodeCodePage932(text));
    const auto pieces = PiecesOfFile("text.txt");
    ASSERT_TRUE(pieces);
    EXPECT_EQ(*pieces, PiecesOfText(text)) << text.size();
  }
  // A lead byte left alone at the very end is still read.
  folder.WriteBytes("lone.txt", std::string(65536, 'a') + "\x82");
  ASSERT_TRUE(PiecesOfFile("lone.txt"));
  EXPECT_EQ(PiecesOfFile("lone.txt")->back().size(), 65536u - kMaxLinePiece + 1);
}

TEST_F(TextFile, NamesBeyondTheBasicPlaneAreFound) {
  folder.WriteBytes("\xF0\x9F\x93\xBA.txt", "a\n");
  Pieces pieces;
  EXPECT_TRUE(ReadLinePieces(folder.WindowsPath("") + u"\U0001F4FA.txt", [&pieces](std::u16string_view piece) {
    pieces.emplace_back(piece);
    return true;
  }));
  EXPECT_EQ(pieces, Pieces{u"a\n"});
}

TEST_F(TextFile, ReadingStopsWhenTheReaderHasEnough) {
  folder.WriteBytes("many.txt", std::string(1 << 20, '\n'));
  int calls = 0;
  EXPECT_TRUE(ReadLinePieces(folder.WindowsPath("many.txt"), [&calls](std::u16string_view) { return ++calls < 3; }));
  EXPECT_EQ(calls, 3);
}

TEST_F(TextFile, OnlyRegularFilesAreRead) {
  EXPECT_FALSE(PiecesOfFile("missing.txt"));
  std::filesystem::create_directory(folder / "folder.txt");
  EXPECT_FALSE(PiecesOfFile("folder.txt"));
  // A pipe nobody writes to would wait for ever.
  ASSERT_EQ(mkfifo((folder / "pipe.txt").c_str(), 0600), 0);
  EXPECT_FALSE(PiecesOfFile("pipe.txt"));
  EXPECT_FALSE(ReadLinePieces(u"/dev/zero", [](std::u16string_view) { return true; }));
}

// A whole file is written through a temporary beside it, or not at all.
TEST(WholeFiles, AreWrittenWholeOrRefused) {
  TempFolder temp;
  ASSERT_TRUE(WriteFileBytes(temp.WindowsPath("a.bin"), "abc"));
  EXPECT_EQ(ReadFileBytes(temp.WindowsPath("a.bin"), 10), "abc");
  EXPECT_FALSE(WriteFileBytes(temp.WindowsPath("missing") + u"\\a.bin", "abc"));
}

// Every year a Windows date holds converts to seconds and back; none beyond.
TEST(LocalTime, ConvertsEveryYearAWindowsDateHolds) {
  for (const int year : {1970, 2026, 2038, 9999, 30827}) {
    const fw::CalendarTime time{year, 12, 0, 31, 23, 59, 0};
    const auto seconds = SecondsFromLocalTime(time);
    ASSERT_TRUE(seconds.has_value()) << year;
    auto back = LocalTimeFromSeconds(*seconds);
    ASSERT_TRUE(back.has_value()) << year;
    back->day_of_week = 0;
    EXPECT_EQ(*back, time);
  }
  EXPECT_FALSE(SecondsFromLocalTime({30828, 1, 0, 1, 0, 0, 0}).has_value());
}

}  // namespace
