// The timeline and the list as the place to fix a reservation: every lane
// in reach, the keyboard between lanes, a double-click on what its first
// click picked, and the reservation's menu from the keyboard.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

#include "app_under_test.h"
#include "brisquet_resource.h"
#include "install_folder.h"
#include "png_writer.h"
#include "program_windows.h"
#include "resource.h"
#include "scenario.h"
#include "viewer_under_test.h"
#include "work_items.h"

namespace {

constexpr COLORREF kBlock = RGB(96, 140, 196);

// The local time `minutes` from now, on the minute.
SYSTEMTIME MinutesFromNow(long long minutes) {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  now.wSecond = 0;
  now.wMilliseconds = 0;
  FILETIME time{};
  SystemTimeToFileTime(&now, &time);
  ULARGE_INTEGER value{{time.dwLowDateTime, time.dwHighDateTime}};
  value.QuadPart += static_cast<unsigned long long>(minutes) * 60 * 10000000;
  time = {value.LowPart, value.HighPart};
  SYSTEMTIME moved{};
  FileTimeToSystemTime(&time, &moved);
  return moved;
}

std::wstring Clock(const SYSTEMTIME& t) {
  wchar_t text[8] = {};
  swprintf(text, 8, L"%02u:%02u", t.wHour, t.wMinute);
  return text;
}

// A reservation of tuner `tuner` recording `length` minutes from `start`,
// its recorder started a minute ahead.
void StoreOnTuner(const std::wstring& name, const wchar_t* tuner, long long start, int length) {
  const SYSTEMTIME from = MinutesFromNow(start), to = MinutesFromNow(start + length);
  StoreWorkItemFile(name, RecorderWorkItem(L"\"C:\\rec\\" + name + L".ts\" I" + tuner + L" @011 " + Clock(from) + L"-" +
                                               Clock(to) + L" B",
                                           MinutesFromNow(start - 1)));
}

// Keys typed to the foreground window, each pressed and let go in turn;
// a key given with its modifier holds it down around itself.
void Type(std::initializer_list<std::pair<WORD, WORD>> keys) {
  for (const auto& [modifier, key] : keys) {
    std::vector<INPUT> inputs;
    const auto add = [&inputs](WORD vk, bool up) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = vk;
      input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
      inputs.push_back(input);
    };
    if (modifier != 0) add(modifier, false);
    add(key, false);
    add(key, true);
    if (modifier != 0) add(modifier, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    Sleep(400);
  }
}

// The leftmost and rightmost columns of the timeline that show a block, and
// a row through the rightmost one.
struct BlueExtent {
  int left = 1 << 30, right = -1, y_at_right = -1;
};
BlueExtent BlueOf(HWND timeline) {
  const WindowPixels pixels = CaptureWindow(timeline);
  POINT origin{0, 0};
  ClientToScreen(timeline, &origin);
  RECT window{}, client{};
  GetWindowRect(timeline, &window);
  GetClientRect(timeline, &client);
  BlueExtent extent;
  for (int y = 0; y < client.bottom; ++y) {
    for (int x = 0; x < client.right; ++x) {
      if (pixels.At(x + origin.x - window.left, y + origin.y - window.top) != kBlock) continue;
      extent.left = std::min(extent.left, x);
      if (x >= extent.right) {
        extent.right = x;
        extent.y_at_right = y;
      }
    }
  }
  return extent;
}

HWND ShowTimeline(ViewerUnderTest& viewer) {
  SendAndWait(GetDlgItem(viewer.window(), IDC_VIEW_TABS), TCM_SETCURFOCUS, 1, 0);
  const HWND timeline = GetDlgItem(viewer.window(), IDC_TIMELINE);
  Expect(IsWindowVisible(timeline), L"no timeline on the タイムライン tab");
  UpdateWindow(timeline);
  Sleep(300);
  return timeline;
}

// Ten tuners: the window shows seven lanes, a vertical scroll bar reaches
// the tenth, and Up, Down and End move between lanes.
void TimelineReachesEveryLane(const ScenarioContext& context) {
  InstallFolder install(context, L"ten_lanes");
  install.CopyProgram(L"Brisquet.exe");
  install.CopyData(L"channel.txt", L"channel.txt");
  DeleteAllWorkItems();
  // Two hours on, all at once but the tenth, an hour later.
  for (int tuner = 1; tuner <= 10; ++tuner) {
    const std::wstring number = std::to_wstring(tuner);
    StoreOnTuner(L"T" + number, number.c_str(), tuner == 10 ? 180 : 120, 30);
  }
  auto viewer = ViewerUnderTest::Start(install.File(L"Brisquet.exe"));
  Expect(viewer.WaitForRowCount(10), L"the viewer did not list them");
  const HWND timeline = ShowTimeline(viewer);
  Expect((GetWindowLongW(timeline, GWL_STYLE) & WS_VSCROLL) != 0, L"no vertical scroll bar for ten lanes");
  const int others_end = BlueOf(timeline).right;  // the tenth lane's block lies right of this, out of sight
  viewer.Select(L"T3");
  SendAndWait(timeline, WM_KEYDOWN, VK_DOWN, 0);
  ExpectEqual(viewer.SelectedName(), std::wstring(L"T4"), L"the row after Down from tuner 3");
  SendAndWait(timeline, WM_KEYDOWN, VK_UP, 0);
  SendAndWait(timeline, WM_KEYDOWN, VK_UP, 0);
  ExpectEqual(viewer.SelectedName(), std::wstring(L"T2"), L"the row after Up twice");
  SendAndWait(timeline, WM_KEYDOWN, VK_END, 0);
  ExpectEqual(viewer.SelectedName(), std::wstring(L"T10"), L"the row End selects");
  UpdateWindow(timeline);
  Sleep(300);
  Expect(BlueOf(timeline).right > others_end, L"the tenth lane was not scrolled into view");
  SendAndWait(timeline, WM_VSCROLL, SB_TOP, 0);
  UpdateWindow(timeline);
  Sleep(300);
  Expect(BlueOf(timeline).right == others_end, L"the tenth lane still in view at the top");
  viewer.Close();
  Expect(viewer.WaitForExit(), L"the viewer did not end");
  DeleteAllWorkItems();
}

// 右端 starts 23 h 30 after the current hour, 別の番組 on its tuner 41 h
// after: a double-click near the right edge of the day hands Halvorn 右端.
void DoubleClickNearTheRightEdge(const ScenarioContext& context) {
  InstallFolder install(context, L"right_edge");
  install.CopyProgram(L"Brisquet.exe");
  install.CopyData(L"channel.txt", L"channel.txt");
  install.Write(L"Halvorn_setting.ini",
                "[system]\r\noption_number=1\r\n[cap_sts]\r\ntitle=T1\r\ncap_sts_path=C:\\tuner\\cap_sts.exe\r\n"
                "folder=C:\\rec\r\nid=1\r\nbcs=1\r\n[task]\r\naccount=recorder\r\npass=\r\n");
  DeleteAllWorkItems();
  SYSTEMTIME now{};
  GetLocalTime(&now);
  const long long hour_start = -static_cast<long long>(now.wMinute);
  StoreOnTuner(L"右端", L"1", hour_start + 23 * 60 + 30, 60);
  StoreOnTuner(L"別の番組", L"1", hour_start + 41 * 60, 60);
  auto viewer = ViewerUnderTest::Start(install.File(L"Brisquet.exe"));
  Expect(viewer.WaitForRowCount(2), L"the viewer did not list them");
  const HWND timeline = ShowTimeline(viewer);
  const BlueExtent blue = BlueOf(timeline);
  Expect(blue.right > 0, L"no block in the day");
  const int x = blue.right - 3, y = blue.y_at_right;
  for (const UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
    PostMessageW(timeline, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
  AppUnderTest halvorn(WaitForHalvornOfEdit());
  ExpectEqual(halvorn.Text(IDC_REGISTRATION_NAME), std::wstring(L"右端"), L"the reservation handed to Halvorn");
  halvorn.PressCloseButton();
  Expect(halvorn.WaitForExit().has_value(), L"Halvorn did not end");
  viewer.Close();
  Expect(viewer.WaitForExit(), L"the viewer did not end");
  DeleteAllWorkItems();
}

// Tuners 1 and 2 of one recorder program, each with its own folder.
const char kTwoTuners[] =
    "[system]\r\noption_number=2\r\ncursor=0\r\n"
    "[cap_sts]\r\ntitle=地デジ1\r\ncap_sts_path=C:\\tuner\\cap_sts.exe\r\nfolder=C:\\rec\r\nid=1\r\n"
    "[cap_sts_1]\r\ntitle=地デジ2\r\ncap_sts_path=C:\\tuner\\cap_sts.exe\r\nfolder=C:\\rec2\r\nid=2\r\n"
    "[task]\r\naccount=recorder\r\npass=\r\n";

// From the list's menu, opened and worked with the keyboard alone:
// 無効にする switches the reservation off, and チューナーを変更 → 「地デジ2」
// moves it to tuner 2 and its folder, keeping its trigger, window and 無効.
void ReservationMenuByKeyboard(const ScenarioContext& context) {
  InstallFolder install(context, L"menu");
  install.CopyProgram(L"Brisquet.exe");
  install.CopyData(L"channel.txt", L"channel.txt");
  install.Write(L"Halvorn_setting.ini", kTwoTuners);
  DeleteAllWorkItems();
  const SYSTEMTIME day = DaysFromToday(3);
  RegisterUnattended(install, Reservation(day, L"ドラマ", "21:00", "21:54", "1"));
  const JobFile before = ReadWorkItem(L"ドラマ");
  auto viewer = ViewerUnderTest::Start(install.File(L"Brisquet.exe"));
  Expect(viewer.WaitForRowCount(1), L"the viewer did not list it");
  const HWND list = GetDlgItem(viewer.window(), IDC_RESERVATIONS);
  Expect((GetWindowLongW(list, GWL_STYLE) & WS_HSCROLL) == 0, L"a horizontal scroll bar in the list at first start");
  viewer.Select(L"ドラマ");
  SetForegroundWindow(viewer.window());
  SetFocus(list);
  SendAndWait(viewer.window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list), TRUE);
  Sleep(300);
  Type({{VK_SHIFT, VK_F10}, {0, 'O'}});
  for (int i = 0; i < 50 && (ReadWorkItem(L"ドラマ").flags & 0x4) == 0; ++i) Sleep(100);
  const JobFile off = ReadWorkItem(L"ドラマ");
  Expect((off.flags & 0x4) != 0, L"無効にする did not switch it off: " + DescribeWorkItem(off));
  Expect(viewer.WaitForRowCount(1), L"the list was not read again");
  viewer.Select(L"ドラマ");
  Type({{0, VK_APPS}, {0, 'T'}, {0, '1'}});
  for (int i = 0; i < 50 && ReadWorkItem(L"ドラマ").parameters.find(u" I2") == std::u16string::npos; ++i) Sleep(100);
  const JobFile moved = ReadWorkItem(L"ドラマ");
  std::u16string expected = before.parameters;
  expected.replace(expected.find(u"C:\\rec\\"), 7, u"C:\\rec2\\");
  expected.replace(expected.find(u" I1"), 3, u" I2");
  ExpectEqual(Wide(moved.parameters), Wide(expected), L"the parameters on tuner 2");
  Expect(moved.working_directory == u"C:\\rec2" && moved.application_name == before.application_name &&
             (moved.flags & 0x4) != 0,
         L"not moved as asked: " + DescribeWorkItem(moved));
  JobFile trigger_before, trigger_after;
  trigger_before.triggers = before.triggers;
  trigger_after.triggers = moved.triggers;
  Expect(SerializeJobFile(trigger_before) == SerializeJobFile(trigger_after), L"the trigger changed");
  viewer.Close();
  Expect(viewer.WaitForExit(), L"the viewer did not end");
  DeleteAllWorkItems();
}

const ScenarioRegistration kScenarios{
    {L"timeline_reaches_every_lane", TimelineReachesEveryLane},
    {L"double_click_near_the_right_edge", DoubleClickNearTheRightEdge},
    {L"reservation_menu_by_keyboard", ReservationMenuByKeyboard},
};

}  // namespace
