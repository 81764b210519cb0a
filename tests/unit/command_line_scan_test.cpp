// The command line: the registration switch and the reservation file.
#include "dialog/command_line_scan.h"

#include <gtest/gtest.h>

namespace {

struct Scanned {
  RegistrationMode mode;
  std::u16string file;
};

Scanned Scan(std::u16string_view text) {
  const CommandLineRequest request = ScanCommandLine(text);
  return {request.mode, request.file_argument ? std::u16string(*request.file_argument) : u"(none)"};
}

TEST(ScanCommandLine, TheSwitchTakesSixCharactersWhateverTheyAre) {
  EXPECT_EQ(Scan(u"-auto C:\\r.tvpi").mode, RegistrationMode::AutoPending);
  EXPECT_EQ(Scan(u"-auto C:\\r.tvpi").file, u"C:\\r.tvpi");
  EXPECT_EQ(Scan(u"-auto1 C:\\r.tvpi").mode, RegistrationMode::Quiet);
  EXPECT_EQ(Scan(u"-auto1 C:\\r.tvpi").file, u"C:\\r.tvpi");
  // The sixth character is swallowed with the switch.
  EXPECT_EQ(Scan(u"-autoC:\\r.tvpi").file, u":\\r.tvpi");
  EXPECT_EQ(Scan(u"-a C:\\r.tvpi").file, u"r.tvpi");
  EXPECT_EQ(Scan(u"-a C:\\r.tvpi").mode, RegistrationMode::AutoPending);
  // The last switch decides.
  EXPECT_EQ(Scan(u"-auto1 -auto  \"C:\\r.tvpi\"").mode, RegistrationMode::AutoPending);
  EXPECT_EQ(Scan(u"-auto1 -auto  \"C:\\r.tvpi\"").file, u"\"C:\\r.tvpi\"");
}

TEST(ScanCommandLine, ASwitchWithoutAFileAsksForNothing) {
  EXPECT_EQ(Scan(u"").mode, RegistrationMode::Normal);
  EXPECT_EQ(Scan(u"-auto    ").mode, RegistrationMode::Normal);
  EXPECT_EQ(Scan(u"-auto    ").file, u"(none)");
  EXPECT_EQ(Scan(u"-au").mode, RegistrationMode::Normal);
  EXPECT_EQ(Scan(u"-").file, u"(none)");
}

TEST(ScanCommandLine, AnUnknownSwitchIsSkippedAsAWord) {
  EXPECT_EQ(Scan(u"-x C:\\r.tvpi").file, u"C:\\r.tvpi");
  EXPECT_EQ(Scan(u"-x C:\\r.tvpi").mode, RegistrationMode::Normal);
  EXPECT_EQ(Scan(u"-Auto -auto1 r.tvpi").mode, RegistrationMode::Quiet);
  EXPECT_EQ(Scan(u"-verbose").file, u"(none)");
}

TEST(ScanCommandLine, EverythingElseIsTheFileArgumentBlanksIncluded) {
  EXPECT_EQ(Scan(u"C:\\My Files\\r.tvpi").file, u"C:\\My Files\\r.tvpi");
  EXPECT_EQ(Scan(u"\"").file, u"\"");
  // A tab is no blank here.
  EXPECT_EQ(Scan(u"-auto\t\tr.tvpi").file, u"\tr.tvpi");
}

}  // namespace
