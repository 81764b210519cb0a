// Broken and hostile reservation and settings files, as the web and old
// disks hand them over: the program never crashes or hangs, registers
// nothing it should not, and keeps the user's settings.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <vector>

#include "app_under_test.h"
#include "install_folder.h"
#include "resource.h"
#include "scenario.h"
#include "work_items.h"

namespace {

// The name every acceptable reservation below registers under.
const wchar_t kTitle[] = L"BadInputProbe";

const char kSettings[] =
    "[system]\r\nautoclose=0\r\ncursor=0\r\noption_number=1\r\noffset_min=1\r\n"
    "[general]\r\nchannel=011\r\nsubtitle=1\r\nextend=0\r\nparentheses=0\r\n"
    "[cap_sts]\r\ntitle=default\r\ncap_sts_path=C:\\tuner\\cap_sts.exe\r\nfolder=C:\\rec\r\nvlc_parm=\r\n"
    "id=2\r\nfileext=.ts\r\npower_on=0\r\npower_off=0\r\nbcs=1\r\nb25=0\r\nvlc=0\r\nsel=0\r\nsus=0\r\nrmc=0\r\n"
    "[task]\r\naccount=recorder\r\npass=\r\ndel_task=0\r\nresume=0\r\n";

std::string Header(const std::string& extra = "") {
  return "Content-type: application/x-tv-program-info\r\nversion: 1\r\nstation: DFS00400\r\nyear: 2030\r\nmonth: 3\r\n"
         "date: 3\r\nstart: 20:00\r\nend: 20:30\r\nprogram-title: BadInputProbe\r\n" +
         extra;
}

std::string Garbage(size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  for (char& byte : bytes) {
    seed = seed * 1103515245u + 12345u;
    byte = static_cast<char>(seed >> 16);
  }
  return bytes;
}

enum class Outcome {
  Registers,       // registered without a word, the program ended
  StaysOpen,       // nothing registered, the dialog waits for the user
  MessageThenOpen  // a message, nothing registered, the dialog waits
};

struct Case {
  const char* what;
  std::string reservation;  // the file's bytes
  Outcome outcome;
  std::string settings = kSettings;
  std::function<void(const JobFile&)> check_work_item = nullptr;
  bool lock_file = false;  // held open without sharing while the program runs
  bool no_file = false;    // the argument names no file at all
};

std::vector<Case> Cases() {
  std::vector<Case> cases;
  auto add = [&](Case c) { cases.push_back(std::move(c)); };
  add({"binary garbage", Garbage(4096, 1), Outcome::StaysOpen});
  add({"garbage after a valid first line", "Content-type: application/x-tv-program-info\r\n" + Garbage(4096, 2),
       Outcome::StaysOpen});
  add({"truncated in the content type", "Content-type: applica", Outcome::StaysOpen});
  add({"truncated before the end time", Header().substr(0, 110), Outcome::StaysOpen});
  add({"empty file", "", Outcome::StaysOpen});
  add({"content type only", "Content-type: application/x-tv-program-info\r\n", Outcome::StaysOpen});
  add({"unknown version", Header("version: 3\r\n"), Outcome::StaysOpen});
  add({"capital T in Content-Type", "Content-Type: application/x-tv-program-info\r\n" + Header().substr(46),
       Outcome::StaysOpen});
  add({"old Mac line ends",
       [] {
         std::string text = Header();
         for (char& c : text)
           if (c == '\n') c = '\r';
         return text;
       }(),
       Outcome::StaysOpen});
  add({"NUL in the content type line",
       std::string("Content-type: app\0lication/x-tv-program-info\r\n", 47) + Header().substr(46), Outcome::StaysOpen});
  add({"negative start", Header("start: -5:00\r\n"), Outcome::StaysOpen});
  add({"enormous year", Header("year: 99999999999999999999\r\n"), Outcome::StaysOpen});
  add({"month 13", Header("month: 13\r\n"), Outcome::StaysOpen});
  add({"start at 48:00", Header("start: 48:00\r\n"), Outcome::StaysOpen});
  add({"a year the C runtime cannot convert", Header("year: 1950\r\n"), Outcome::StaysOpen});
  add({"huge line", Header("performer: " + std::string(300000, 'x') + "\r\n"), Outcome::Registers});
  add({"bytes that are not code page 932", Header("performer: \x82\xff\x85\x80\xfd\xfe\r\n"), Outcome::Registers});
  add({"UTF-8 byte order mark", "\xEF\xBB\xBF" + Header(), Outcome::Registers});
  add({"ten megabytes", Header("\r\n" + std::string(10 << 20, 'd')), Outcome::Registers});
  add({"enormous extension", Header("extend: 2147483647\r\n"), Outcome::Registers});
  add({"FX2ID carrying switches", Header("FX2ID: 1 P @999 SUSPEND\r\n"), Outcome::Registers, kSettings,
       [](const JobFile& job) {
         Expect(Wide(job.parameters) == L"\"C:\\rec\\BadInputProbe.ts\" I2 @011 20:00-20:30 B",
                L"parameters " + Wide(job.parameters));
       }});
  add({"TASKNAME outside the Tasks folder", Header("TASKNAME: ..\\..\\..\\windows\\win.ini\r\n"), Outcome::StaysOpen});
  add({"a dot in the title", Header("program-title: v1.0\r\n"), Outcome::MessageThenOpen});
  add({"unreadable file", Header(), Outcome::StaysOpen, kSettings, nullptr, true});
  add({"missing file", "", Outcome::StaysOpen, kSettings, nullptr, false, true});
  // Settings files.
  add({"garbage settings", Header(), Outcome::MessageThenOpen, Garbage(8192, 3)});
  add({"settings out of range", Header(), Outcome::Registers,
       "[system]\r\noption_number=-5\r\ncursor=999\r\noffset_min=99999999999\r\n[cap_sts]\r\nid=2\r\n"
       "folder=C:\\rec\r\ncap_sts_path=C:\\tuner\\cap_sts.exe\r\n[task]\r\naccount=recorder\r\n",
       [](const JobFile& job) {
         Expect(job.triggers[0].start_hour == 19 && job.triggers[0].start_minute == 50, L"the lead is clamped to 10");
       }});
  add({"settings with NUL bytes and huge values", Header(), Outcome::Registers,
       std::string(kSettings) + std::string("[cap_sts_1]\r\ntitle=\0\0\0", 22) + std::string(100000, 't') + "\r\n"});
  return cases;
}

void RunCase(const ScenarioContext& context, const Case& c, int index) {
  InstallFolder install(context, L"bad input\\case " + std::to_wstring(index));
  install.CopyData(L"channel.txt", L"channel.txt");
  install.Write(L"Halvorn_setting.ini", c.settings);
  install.Write(L"hostile.tvpi", c.reservation);
  DeleteWorkItem(kTitle);
  const std::wstring path = c.no_file ? install.File(L"nothing here.tvpi") : install.File(L"hostile.tvpi");
  HANDLE lock = INVALID_HANDLE_VALUE;
  if (c.lock_file) {
    lock = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  AppUnderTest app(install.exe(), L"-auto \"" + path + L"\"");
  if (c.outcome == Outcome::Registers) {
    const auto code = app.WaitForExit(60000);
    Expect(code.has_value(),
           L"the program did not register and end: " + app.AnswerMessageBox(500).value_or(L"no message"));
    Expect(*code == 0, L"exit code " + std::to_wstring(*code));
    const JobFile job = ReadWorkItem(kTitle);
    if (c.check_work_item) c.check_work_item(job);
  } else {
    if (c.outcome == Outcome::MessageThenOpen) {
      Expect(app.AnswerMessageBox(30000).has_value(), L"no message box");
    }
    app.WaitForDialog(L"Halvorn Ver 2.3", 60000);
    Sleep(300);
    Expect(!app.HasMessageBox(), L"an unexpected message: " + app.AnswerMessageBox(500).value_or(L""));
    Expect(!WorkItemExists(kTitle), L"something was registered");
    app.PressCloseButton();
    const auto code = app.WaitForExit();
    Expect(code.has_value() && *code == 0, L"the program did not end well");
  }
  if (lock != INVALID_HANDLE_VALUE) CloseHandle(lock);
  if (c.settings == kSettings) {
    Expect(SignificantLines(install.Read(L"Halvorn_setting.ini")) == SignificantLines(kSettings),
           L"the settings file changed");
  } else {
    Expect(install.Exists(L"Halvorn_setting.ini"), L"the settings file is gone");
  }
  DeleteWorkItem(kTitle);
}

void BadInput(const ScenarioContext& context) {
  const std::vector<Case> cases = Cases();
  std::wstring failures;
  for (size_t i = 0; i < cases.size(); ++i) {
    try {
      RunCase(context, cases[i], static_cast<int>(i));
      std::printf("ok   %s\n", cases[i].what);
    } catch (const Failure& failure) {
      std::printf("FAIL %s: %s\n", cases[i].what, Utf8(failure.what).c_str());
      failures += Utf16FromUtf8(cases[i].what) + L"; ";
    }
    std::fflush(stdout);
  }
  Expect(failures.empty(), L"failed cases: " + failures);
  std::printf("%zu bad input files handled\n", cases.size());
}

const ScenarioRegistration kScenarios{
    {L"bad_input", BadInput},
};

}  // namespace
