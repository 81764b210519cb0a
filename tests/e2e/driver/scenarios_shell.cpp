// The program's face: the dialog as its template lays it out, the keys that
// must not close it, and a picture of it.
#include <windows.h>
#include <commctrl.h>

#include "app_under_test.h"
#include "install_folder.h"
#include "png_writer.h"
#include "resource.h"
#include "scenario.h"

namespace {

struct ExpectedControl {
  int id;
  const wchar_t* window_class;
  const wchar_t* caption;  // nullptr: not compared
  DWORD style_bits;        // bits that must be set
  DWORD button_kind = 0xFFFFFFFF;
};

constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kCheck = WS_TABSTOP;
constexpr DWORD kAutoCheck = BS_AUTOCHECKBOX;

const ExpectedControl kMainDialog[] = {
    {1002, L"Edit", L"", kEdit},
    {1003, L"Button", L"参照", WS_TABSTOP, BS_PUSHBUTTON},
    {1004, L"Edit", L"", kEdit},
    {1006, L"Button", L"参照", WS_TABSTOP, BS_PUSHBUTTON},
    {1011, L"Edit", L"", kEdit},
    {1001, L"Button", L"開始時に電源ON制御を行う (P)", kCheck, kAutoCheck},
    {1005, L"Button", L"終了時に電源OFF制御を行う (POFF)", kCheck, kAutoCheck},
    {1007, L"Button", L"BCASログを同時に記録する (B)", kCheck, kAutoCheck},
    {1008, L"Button", L"カードリーダを使ったB25処理を行う (B25)", kCheck, kAutoCheck},
    {1009, L"Edit", L"", kEdit},
    {1027, L"SysDateTimePick32", nullptr, DTS_TIMEFORMAT | DTS_RIGHTALIGN | WS_TABSTOP},
    {1028, L"SysDateTimePick32", nullptr, DTS_TIMEFORMAT | DTS_RIGHTALIGN | WS_TABSTOP},
    {1030, L"Edit", L"", kEdit},
    {1034, L"Button", L"一回のみ", WS_GROUP, BS_AUTORADIOBUTTON},
    {1031, L"Button", L"毎日", 0, BS_AUTORADIOBUTTON},
    {1032, L"Button", L"毎週", 0, BS_AUTORADIOBUTTON},
    {1033, L"SysMonthCal32", nullptr, MCS_NOTODAY | WS_TABSTOP | WS_GROUP},
    {1029, L"Button", L"登録", WS_TABSTOP, BS_PUSHBUTTON},
    {1000, L"Edit", nullptr, ES_READONLY | ES_AUTOHSCROLL | WS_BORDER},
    {-1, L"Static", L"使用するcap_sts.exe", 0},
    {-1, L"Static", L"ファイル名", 0},
    {-1, L"Static", L"対象のカメレオンFX2のID：", 0},
    {-1, L"Static", L"～", 0},
    {-1, L"Static", L"録画時刻", 0},
    {-1, L"Button", L"cap_stsの設定", 0, BS_GROUPBOX},
    {-1, L"Button", L"タスクスケジューラの設定", 0, BS_GROUPBOX},
    {-1, L"Static", L"登録名", 0},
    {-1, L"Static", L"開始日の指定", 0},
    {1035, L"Button", L"動作完了後削除する", kCheck, kAutoCheck},
    {1036, L"Button", L"動作時にスリープから復帰する", kCheck, kAutoCheck},
    {1037, L"Edit", L"", kEdit},
    {1038, L"Edit", L"", kEdit | ES_PASSWORD},
    {1039, L"Edit", L"", kEdit | ES_PASSWORD},
    {-1, L"Static", L"実行するアカウント名", 0},
    {-1, L"Static", L"パスワード", 0},
    {-1, L"Static", L"パスワード確認", 0},
    {1040, L"Button", L"iEPGファイルを開く", WS_TABSTOP, BS_PUSHBUTTON},
    // The list box and the drop-down list hand WS_VSCROLL to their scroll
    // bar or list, so the live window no longer shows it.
    {1043, L"ListBox", L"", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_TABSTOP | WS_BORDER},
    {1010, L"Button", L"不要データを保存しない (SEL) ", kCheck, kAutoCheck},
    {-1, L"Static", L"チャンネル", 0},
    {1044, L"Button", L"登録完了後終了する", kCheck, kAutoCheck},
    {1012, L"Button", L"録画終了後サスペンドする (SUSPEND) ", kCheck, kAutoCheck},
    {1013, L"Edit", L"", kEdit},
    {-1, L"Static", L"保存場所", 0},
    {1045, L"Button", L"エンコード", kCheck, kAutoCheck},
    {1047, L"Button", L"リモコンコードと連動", kCheck, kAutoCheck},
    {1048, L"Button", L"サブタイトル", kCheck, kAutoCheck},
    {1049, L"Edit", L"", kEdit},
    {1050, L"Button", L"延長", kCheck, kAutoCheck},
    {1055, L"msctls_updown32", nullptr, UDS_ARROWKEYS},
    {1056, L"SysTabControl32", nullptr, TCS_BUTTONS},
    {1057, L"Button", L"追加", WS_TABSTOP, BS_PUSHBUTTON},
    {1058, L"Button", L"削除", WS_TABSTOP, BS_PUSHBUTTON},
    {1051, L"Button", L"[ ],()の削除", kCheck, kAutoCheck},
    {-1, L"Static", L"ext：", 0},
    {1053, L"Button", L"タスクビューア", WS_TABSTOP, BS_PUSHBUTTON},
    {1014, L"Button", L"同名タスクを削除して登録", kCheck, kAutoCheck},
    {1059, L"ComboBox", nullptr, CBS_DROPDOWNLIST | WS_TABSTOP},
    {1015, L"Button", L"", kCheck, kAutoCheck},
    {1016, L"Button", L"", kCheck, kAutoCheck},
    {1017, L"Button", L"", kCheck, kAutoCheck},
    {1018, L"Button", L"", kCheck, kAutoCheck},
    {1019, L"Button", L"", kCheck, kAutoCheck},
    {1020, L"Button", L"", kCheck, kAutoCheck},
    {1021, L"Button", L"", kCheck, kAutoCheck},
    {1022, L"Static", L"日月火水木金土", 0},
};

// Controls that must not be tab stops. (The radio buttons are none in the
// template either, but the platform marks the checked one as a tab stop
// once the form has been shown.)
const int kNotTabStops[] = {1055, 1056, 1000};

std::wstring Describe(int index, int id) {
  return L"control #" + std::to_wstring(index + 1) + L" (ID " + std::to_wstring(id) + L")";
}

void WindowMatchesTemplate(const ScenarioContext& context) {
  InstallFolder install(context, L"template");
  AppUnderTest app(install.exe(), L"");
  HWND dialog = app.WaitForDialog();
  Expect((GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_APPWINDOW) != 0, L"the dialog has its own taskbar button");
  const LONG_PTR style = GetWindowLongPtrW(dialog, GWL_STYLE);
  Expect((style & (WS_CAPTION | WS_SYSMENU)) == (WS_CAPTION | WS_SYSMENU), L"caption and system menu");
  Expect((style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) == 0, L"no minimize or maximize box");

  HWND child = GetWindow(dialog, GW_CHILD);
  int index = 0;
  for (const ExpectedControl& expected : kMainDialog) {
    Expect(child != nullptr, L"missing " + Describe(index, expected.id));
    const std::wstring where = Describe(index, expected.id);
    Expect(static_cast<WORD>(GetDlgCtrlID(child)) == static_cast<WORD>(expected.id), where + L": ID differs");
    wchar_t class_name[64] = {};
    GetClassNameW(child, class_name, 64);
    Expect(lstrcmpiW(class_name, expected.window_class) == 0, where + L": class " + class_name);
    if (expected.caption != nullptr) {
      wchar_t caption[128] = {};
      GetWindowTextW(child, caption, 128);
      ExpectEqual(caption, expected.caption, where + L": caption");
    }
    const DWORD child_style = static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE));
    DWORD missing = expected.style_bits & ~child_style;
    // Edits and list boxes trade the template's border for a sunken edge.
    if ((GetWindowLongPtrW(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0) missing &= ~static_cast<DWORD>(WS_BORDER);
    Expect(missing == 0, where + L": style bits missing 0x" + std::to_wstring(missing));
    Expect((child_style & WS_VISIBLE) != 0, where + L": visible");
    if (expected.button_kind != 0xFFFFFFFF) {
      Expect((child_style & BS_TYPEMASK) == expected.button_kind, where + L": button kind");
    }
    child = GetWindow(child, GW_HWNDNEXT);
    ++index;
  }
  // Wine's month calendar and picker may own child windows; the dialog's own
  // children end with the weekday label.
  for (int id : kNotTabStops) {
    Expect((GetWindowLongPtrW(app.Control(id), GWL_STYLE) & WS_TABSTOP) == 0,
           L"control " + std::to_wstring(id) + L" is no tab stop");
  }
  Expect((GetWindowLongPtrW(app.Control(1047), GWL_EXSTYLE) & WS_EX_RIGHT) != 0, L"1047 right-aligned");
  app.PressCloseButton();
  app.WaitForExit();
}

void KeysKeepItOpenCloseEndsIt(const ScenarioContext& context) {
  InstallFolder install(context, L"keys");
  AppUnderTest app(install.exe(), L"");
  app.WaitForDialog();
  app.KeyPress(IDC_FILE_NAME, VK_RETURN);
  Expect(app.Running() && IsWindowVisible(app.dialog()), L"Enter closed the dialog");
  app.KeyPress(IDC_FILE_NAME, VK_ESCAPE);
  Expect(app.Running() && IsWindowVisible(app.dialog()), L"Esc closed the dialog");
  app.PressCloseButton();
  const auto code = app.WaitForExit();
  Expect(code.has_value(), L"the close button did not end the program");
  Expect(*code == 0, L"exit code " + std::to_wstring(*code));
}

// With the examples folder given, the picture shows its reservation applied
// (quietly, so nothing is registered).
void Screenshot(const ScenarioContext& context) {
  InstallFolder install(context, L"screenshot");
  std::wstring arguments;
  if (!context.extra.empty()) {
    for (const wchar_t* file : {L"channel.txt", L"Halvorn_setting.ini", L"cap_sts_sea.ini", L"reservation.tvpi"}) {
      CopyFileW((context.extra[0] + L"\\" + file).c_str(), install.File(file).c_str(), FALSE);
    }
    arguments = L"-auto1 \"" + install.File(L"reservation.tvpi") + L"\"";
  }
  AppUnderTest app(install.exe(), arguments);
  HWND dialog = app.WaitForDialog();
  SaveSettledWindowAsPng(dialog, context.out_dir + L"\\halvorn2.png");
  app.PressCloseButton();
  app.WaitForExit();
}

const ScenarioRegistration kScenarios{
    {L"window_matches_template", WindowMatchesTemplate},
    {L"keys_keep_it_open", KeysKeepItOpenCloseEndsIt},
    {L"screenshot", Screenshot},
};

}  // namespace
