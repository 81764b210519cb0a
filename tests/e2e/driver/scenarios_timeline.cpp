// Brisquet's タイムライン: a lane per tuner over the week, red only where one
// tuner records twice at once, and a click on a block selects its row.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <set>

#include "brisquet_resource.h"
#include "install_folder.h"
#include "png_writer.h"
#include "program_windows.h"
#include "scenario.h"
#include "viewer_under_test.h"
#include "work_items.h"

namespace {

constexpr COLORREF kCollision = RGB(208, 48, 48);
constexpr COLORREF kOverlap = RGB(144, 20, 20);
constexpr COLORREF kBlock = RGB(96, 140, 196);

std::wstring Parameters(const wchar_t* title, const wchar_t* tuner, const wchar_t* window) {
  return std::wstring(L"\"C:\\rec\\") + title + L".ts\" I" + tuner + L" " + window + L" B";
}

// Where the timeline's blocks lie, by colour, in its client area.
struct Blocks {
  std::set<int> red_rows, blue_rows;
  int red_left = 1 << 30, red_right = -1;
  int bands = 0;  // runs of rows that hold blocks: the lanes in use
};

Blocks BlocksOf(HWND timeline) {
  const WindowPixels pixels = CaptureWindow(timeline);
  POINT origin{0, 0};
  ClientToScreen(timeline, &origin);
  RECT window{};
  GetWindowRect(timeline, &window);
  RECT client{};
  GetClientRect(timeline, &client);
  Blocks blocks;
  for (int y = 0; y < client.bottom; ++y) {
    for (int x = 0; x < client.right; ++x) {
      const COLORREF pixel = pixels.At(x + origin.x - window.left, y + origin.y - window.top);
      if (pixel == kCollision || pixel == kOverlap) {
        blocks.red_rows.insert(y);
        blocks.red_left = std::min(blocks.red_left, x);
        blocks.red_right = std::max(blocks.red_right, x);
      } else if (pixel == kBlock) {
        blocks.blue_rows.insert(y);
      }
    }
  }
  std::set<int> rows = blocks.red_rows;
  rows.insert(blocks.blue_rows.begin(), blocks.blue_rows.end());
  int last = -2;
  for (int y : rows) {
    if (y != last + 1) ++blocks.bands;
    last = y;
  }
  return blocks;
}

// A key pressed and let go in the foreground window.
void TypeKey(WORD key) {
  INPUT inputs[2] = {};
  for (int i = 0; i < 2; ++i) {
    inputs[i].type = INPUT_KEYBOARD;
    inputs[i].ki.wVk = key;
    inputs[i].ki.dwFlags = i == 1 ? KEYEVENTF_KEYUP : 0;
  }
  SendInput(2, inputs, sizeof(INPUT));
  Sleep(300);
}

void SendToTimeline(HWND timeline, UINT message, WPARAM wparam, int x, int y) {
  SendAndWait(timeline, message, wparam, MAKELPARAM(x, y));
}

void TimelineShowsCollisions(const ScenarioContext& context) {
  InstallFolder install(context, L"timeline");
  install.CopyProgram(L"Brisquet.exe");
  install.CopyData(L"channel.txt", L"channel.txt");
  // Lanes named after the profiles; tuner 3 is free for either of the pair.
  install.Write(
      L"Halvorn_setting.ini",
      Cp932(L"[system]\r\noption_number=3\r\n[cap_sts]\r\ntitle=地デジ1\r\ncap_sts_path=C:\\tuner\\cap_sts.exe\r\n"
            "folder=C:\\rec\r\nid=1\r\n[cap_sts_1]\r\ntitle=地デジ2\r\ncap_sts_path=C:\\tuner\\cap_sts.exe\r\n"
            "folder=C:\\rec\r\nid=2\r\n[cap_sts_2]\r\ntitle=地デジ3\r\ncap_sts_path=C:\\tuner\\cap_sts.exe\r\n"
            L"folder=C:\\rec2\r\nid=3\r\n[task]\r\naccount=recorder\r\npass=\r\n"));
  DeleteAllWorkItems();
  StoreWorkItemFile(L"重複A",
                    RecorderWorkItem(Parameters(L"重複A", L"1", L"@011 21:00-22:00"), DaysFromToday(2, 20, 59)));
  StoreWorkItemFile(L"重複B",
                    RecorderWorkItem(Parameters(L"重複B", L"1", L"@041 21:30-22:30"), DaysFromToday(2, 21, 29)));
  StoreWorkItemFile(L"空き",
                    RecorderWorkItem(Parameters(L"空き", L"2", L"@011 21:00-22:00"), DaysFromToday(2, 20, 59)));
  StoreWorkItemFile(L"深夜の連続", RecorderWorkItem(Parameters(L"深夜の連続", L"2", L"@051 23:30-00:30"),
                                                    DaysFromToday(1, 23, 29), 1));

  {
    auto viewer = ViewerUnderTest::Start(install.File(L"Brisquet.exe"));
    Expect(viewer.WaitForRowCount(4), L"the viewer did not list them");
    // Ctrl+Tab, typed from the list.
    const HWND list = GetDlgItem(viewer.window(), IDC_RESERVATIONS);
    SetForegroundWindow(viewer.window());
    Sleep(200);
    INPUT keys[4] = {};
    const WORD typed[4] = {VK_CONTROL, VK_TAB, VK_TAB, VK_CONTROL};
    for (int i = 0; i < 4; ++i) {
      keys[i].type = INPUT_KEYBOARD;
      keys[i].ki.wVk = typed[i];
      keys[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
    }
    SendInput(4, keys, sizeof(INPUT));
    Sleep(300);
    SendAndWait(viewer.window(), WM_NULL, 0, 0);
    const HWND timeline = GetDlgItem(viewer.window(), IDC_TIMELINE);
    Expect(IsWindowVisible(timeline) && !IsWindowVisible(list), L"Ctrl+Tab did not show the timeline");
    SendAndWait(GetDlgItem(viewer.window(), IDC_VIEW_TABS), TCM_SETCURFOCUS, 0, 0);
    Expect(IsWindowVisible(list), L"the 一覧 tab did not show the list");
    SendAndWait(GetDlgItem(viewer.window(), IDC_VIEW_TABS), TCM_SETCURFOCUS, 1, 0);
    Expect(timeline != nullptr && IsWindowVisible(timeline), L"no timeline on the タイムライン tab");
    wchar_t class_name[64] = {};
    GetClassNameW(timeline, class_name, 64);
    ExpectEqual(std::wstring(class_name), std::wstring(L"BrisquetTimeline"), L"the timeline's class");
    // Ctrl and the wheel, out to the whole week.
    RECT rect{};
    GetWindowRect(timeline, &rect);
    for (int notch = 0; notch < 12; ++notch) {
      SendToTimeline(timeline, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-WHEEL_DELTA)),
                     (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
    UpdateWindow(timeline);
    Sleep(300);

    const Blocks week = BlocksOf(timeline);
    Expect(!week.red_rows.empty(), L"no red where two reservations need tuner 1 at once");
    Expect(week.bands == 2, L"lanes with blocks: " + std::to_wstring(week.bands));
    const bool red_in_its_own_lane =
        std::none_of(week.red_rows.begin(), week.red_rows.end(), [&](int y) { return week.blue_rows.count(y) != 0; });
    Expect(red_in_its_own_lane, L"red drawn in the lane of tuner 2");
    RECT client{};
    GetClientRect(timeline, &client);
    Expect(week.red_right - week.red_left < client.right / 20, L"red wider than the colliding pair");

    // A click on 空き, below the pair in the lane of tuner 2.
    const int x = week.red_left + 1;
    const int y = *week.blue_rows.upper_bound(*week.red_rows.rbegin()) + 3;
    SendToTimeline(timeline, WM_LBUTTONDOWN, MK_LBUTTON, x, y);
    SendToTimeline(timeline, WM_LBUTTONUP, 0, x, y);
    ExpectEqual(viewer.SelectedName(), std::wstring(L"空き"), L"the row a click on its block selects");
    // A double-click whose second click lands on another block, one of the
    // pair, acts on neither: the selection stays and nothing is handed over.
    SendToTimeline(timeline, WM_LBUTTONDOWN, MK_LBUTTON, x, y);
    SendToTimeline(timeline, WM_LBUTTONUP, 0, x, y);
    SendToTimeline(timeline, WM_LBUTTONDBLCLK, MK_LBUTTON, x, *week.red_rows.begin() + 1);
    SendToTimeline(timeline, WM_LBUTTONUP, 0, x, *week.red_rows.begin() + 1);
    ExpectEqual(viewer.SelectedName(), std::wstring(L"空き"), L"the row after a double-click across two blocks");
    // The arrow key goes on to the next recording in time order: 重複B at 21:30.
    SendAndWait(timeline, WM_KEYDOWN, VK_RIGHT, 0);
    ExpectEqual(viewer.SelectedName(), std::wstring(L"重複B"), L"the row after 空き in time order");
    // Back to about a day round the pair, where the blocks carry their titles.
    for (int notch = 0; notch < 9; ++notch) {
      POINT at{week.red_left, *week.red_rows.begin()};
      ClientToScreen(timeline, &at);
      SendToTimeline(timeline, WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(WHEEL_DELTA)), at.x, at.y);
    }
    UpdateWindow(timeline);
    Sleep(300);
    SaveWindowAsPng(viewer.window(), context.out_dir + L"\\brisquet-timeline.png");
    // The menu of the selected one of the pair, from the keyboard, with the
    // free tuner it offers.
    SetForegroundWindow(viewer.window());
    SetFocus(timeline);
    PostMessageW(timeline, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(timeline), -1);
    HWND menu = nullptr;
    for (int i = 0; i < 50 && (menu == nullptr || !IsWindowVisible(menu)); ++i, Sleep(100))
      menu = FindWindowW(L"#32768", nullptr);
    Expect(menu != nullptr, L"no menu on the selected block");
    TypeKey('T');
    Sleep(500);
    SaveWindowAsPng(viewer.window(), context.out_dir + L"\\brisquet-menu.png");
    TypeKey(VK_ESCAPE);
    TypeKey(VK_ESCAPE);
    SendAndWait(viewer.window(), WM_NULL, 0, 0);

    // 削除 of one of the pair leaves no red.
    viewer.Select(L"重複B");
    viewer.ClickLater(IDC_DELETE_RESERVATION);
    Expect(viewer.AnswerYes().has_value(), L"no question before deleting");
    Expect(viewer.WaitForRowCount(3), L"the list was not read again: " + viewer.AnswerYes(2000).value_or(L""));
    UpdateWindow(timeline);
    Sleep(300);
    Expect(BlocksOf(timeline).red_rows.empty(), L"red remains after the collision was deleted");
    viewer.Close();
    viewer.WaitForExit();
  }
  Expect(install.Read(L"Brisquet.ini").find("tab=1") != std::string::npos, L"the タイムライン tab is not remembered");
  DeleteAllWorkItems();
}

const ScenarioRegistration kScenarios{
    {L"timeline_shows_collisions", TimelineShowsCollisions},
};

}  // namespace
