// Whether two paths name one file, as the programs compare recorders and folders.
#include "platform/path_key.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "reservations/views/reservation_list.h"

namespace {

TEST(PathKey, TwoPathsOfOneFileShareTheirKey) {
  const struct {
    const char16_t* a;
    const char16_t* b;
    bool same;
  } pairs[] = {
      {u"\"C:\\tv\\cap_sts.exe\"", u"C:\\tv\\cap_sts.exe", true},
      {u"C:/tv/recorder.exe", u"C:\\tv\\recorder.exe", true},
      {u"C:\\ＴＶ\\a.exe", u"C:\\ｔｖ\\a.exe", true},
      {u"C:\\Ä\\a.exe", u"C:\\ä\\a.exe", true},
      {u"c:\\TV\\A.EXE", u"C:\\tv\\a.exe", true},
      {u"C:\\tv\\..\\tv\\.\\a.exe", u"C:\\tv\\a.exe", true},
      {u"C:\\tv.\\a.exe ", u"C:\\tv\\\\a.exe", true},
      {u"C:\\TV\\a.exe", u"C:\\ＴＶ\\a.exe", false},
      {u"C:\\tv\\a.exe", u"D:\\tv\\a.exe", false},
      {u"\\\\nas\\tv\\a.exe", u"\\nas\\tv\\a.exe", false},
      {u"C:\\tv\\a.exe", u"C:\\tv\\a.ex", false},
      // Quotes come off in pairs only.
      {u"xC:\\tv\\a.exe\"", u"C:\\tv\\a.exe", false},
      {u"\"C:\\tv\\a.exe", u"C:\\tv\\a.exe", false},
  };
  for (const auto& pair : pairs) {
    EXPECT_EQ(PathKey(pair.a) == PathKey(pair.b), pair.same)
        << std::filesystem::path(pair.a).string() << " / " << std::filesystem::path(pair.b).string();
  }
}

TEST(PathKey, ARecorderIsKnownByItsPathInAnyOfItsForms) {
  const std::vector<std::u16string> profiles = {u"C:\\TV\\cap_sts?.exe", u"D:\\tools\\recorder.exe"};
  for (const char16_t* application : {u"C:\\tv\\cap_sts1.exe", u"\"C:/tv/cap_sts2.exe\"", u"d:/Tools/RECORDER.exe",
                                      u"D:\\tools\\.\\recorder.exe", u"E:\\x\\cap_sts_bs.exe"}) {
    EXPECT_TRUE(RunsARecorder(application, profiles)) << std::filesystem::path(application).string();
  }
  for (const char16_t* application : {u"D:\\tools\\recorder2.exe", u"C:\\backup.exe", u"D:\\recorder.exe"}) {
    EXPECT_FALSE(RunsARecorder(application, profiles)) << std::filesystem::path(application).string();
  }
}

// The key maker the program installs is the one used; none installed is
// the textual one.
TEST(PathKey, TheInstalledMakerIsUsedAndNoneIsTheTextualOne) {
  SetPathKeyMaker([](std::u16string_view) { return std::u16string(u"one"); });
  EXPECT_EQ(PathKey(u"C:\\a.exe"), PathKey(u"D:\\b.exe"));
  SetPathKeyMaker(nullptr);
  EXPECT_NE(PathKey(u"C:\\a.exe"), PathKey(u"D:\\b.exe"));
  EXPECT_EQ(PathKey(u"C:\\a.exe"), TextualPathKey(u"C:\\a.exe"));
}

}  // namespace
