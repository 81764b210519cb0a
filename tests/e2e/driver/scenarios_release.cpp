// What a user sees of the release itself: the version both programs carry,
// and the main dialog laid out at a scaled display's 144 DPI.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <vector>

#include "app_under_test.h"
#include "install_folder.h"
#include "png_writer.h"
#include "program_windows.h"
#include "resource.h"
#include "scenario.h"
#include "win32/caption_fit.h"

namespace {

// One value of the version resource's Japanese string block.
std::wstring VersionString(const std::vector<char>& block, const wchar_t* name) {
  void* value = nullptr;
  UINT length = 0;
  const std::wstring path = std::wstring(L"\\StringFileInfo\\041104B0\\") + name;
  if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0) return L"(none)";
  return static_cast<const wchar_t*>(value);
}

void CheckVersion(const std::wstring& exe, const std::wstring& file_name, const std::wstring& file_version,
                  const std::wstring& product_version) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
  Expect(size > 0, file_name + L" has no version resource");
  std::vector<char> block(size);
  Expect(GetFileVersionInfoW(exe.c_str(), 0, size, block.data()) != 0, L"cannot read the version of " + file_name);
  WORD* translation = nullptr;
  UINT length = 0;
  Expect(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) &&
             length >= 4 && translation[0] == 0x0411 && translation[1] == 1200,
         file_name + L": not in the Japanese language block");
  ExpectEqual(VersionString(block, L"FileVersion"), file_version, file_name + L" FileVersion");
  ExpectEqual(VersionString(block, L"ProductVersion"), product_version, file_name + L" ProductVersion");
  ExpectEqual(VersionString(block, L"ProductName"), L"Halvorn", file_name + L" ProductName");
  ExpectEqual(VersionString(block, L"OriginalFilename"), file_name, file_name + L" OriginalFilename");
  Expect(VersionString(block, L"FileDescription").find(file_name.substr(0, file_name.size() - 4)) == 0,
         file_name + L" FileDescription " + VersionString(block, L"FileDescription"));
  Expect(VersionString(block, L"LegalCopyright").find(L"Copyright") == 0, file_name + L" LegalCopyright");
  VS_FIXEDFILEINFO* fixed = nullptr;
  Expect(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed != nullptr,
         file_name + L": no fixed version");
  wchar_t numbers[64];
  swprintf(numbers, 64, L"%u.%u.%u.%u", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
           HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
  ExpectEqual(numbers, file_version, file_name + L" fixed file version");
}

// Arguments: the file version and the product version the build gave.
void VersionResources(const ScenarioContext& context) {
  Expect(context.extra.size() == 2, L"the version needs the expected file and product versions");
  const std::wstring folder = context.exe.substr(0, context.exe.rfind(L'\\') + 1);
  CheckVersion(context.exe, L"Halvorn2.exe", context.extra[0], context.extra[1]);
  CheckVersion(folder + L"Brisquet.exe", L"Brisquet.exe", context.extra[0], context.extra[1]);
}

// The system's DPI for programs started from now on, as the display
// settings set it; put back when the scenario ends.
class SystemDpi {
 public:
  explicit SystemDpi(DWORD dpi) {
    RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                    nullptr);
    DWORD size = sizeof(previous_);
    had_value_ = RegQueryValueExW(key_, L"LogPixels", nullptr, nullptr, reinterpret_cast<BYTE*>(&previous_), &size) ==
                 ERROR_SUCCESS;
    RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof(dpi));
  }
  ~SystemDpi() {
    if (had_value_) {
      RegSetValueExW(key_, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&previous_), sizeof(previous_));
    } else {
      RegDeleteValueW(key_, L"LogPixels");
    }
    RegCloseKey(key_);
  }
  SystemDpi(const SystemDpi&) = delete;
  SystemDpi& operator=(const SystemDpi&) = delete;

 private:
  HKEY key_ = nullptr;
  DWORD previous_ = 96;
  bool had_value_ = false;
};

SIZE ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {client.right, client.bottom};
}

// Every control of the dialog lies inside its client area.
void ExpectControlsInside(HWND dialog) {
  RECT client{};
  GetClientRect(dialog, &client);
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    const std::wstring where = L"control " + std::to_wstring(GetDlgCtrlID(child)) + L" at " +
                               std::to_wstring(rect.left) + L"," + std::to_wstring(rect.top) + L"-" +
                               std::to_wstring(rect.right) + L"," + std::to_wstring(rect.bottom);
    Expect(rect.left >= 0 && rect.top >= 0 && rect.right <= client.right && rect.bottom <= client.bottom,
           where + L" lies outside the client area " + std::to_wstring(client.right) + L"x" +
               std::to_wstring(client.bottom));
  }
}

// Every visible captioned static and check box of the window shows its
// whole text in the dialogs' font at `dpi`.
void ExpectCaptionsFit(HWND window, int dpi) {
  const HFONT font =
      CreateFontW(-MulDiv(9, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"MS UI Gothic");
  std::wstring cut;
  int measured = 0;
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    const int needed = win32::CaptionWidthNeeded(child, font, dpi);
    if (needed == 0) continue;
    ++measured;
    RECT rect{};
    GetWindowRect(child, &rect);
    if (needed <= rect.right - rect.left) continue;
    wchar_t caption[256] = {};
    GetWindowTextW(child, caption, 256);
    cut += std::wstring(L"[") + caption + L" " + std::to_wstring(rect.right - rect.left) + L" of " +
           std::to_wstring(needed) + L"]";
  }
  DeleteObject(font);
  std::printf("%d captions measured at %d DPI\n", measured, dpi);
  Expect(cut.empty(), L"captions cut at " + std::to_wstring(dpi) + L" DPI: " + cut);
}

// Both programs' captions fit at `dpi`.
void ExpectBothProgramsFit(const InstallFolder& install, int dpi) {
  for (const wchar_t* program : {L"Halvorn2.exe", L"Brisquet.exe"}) {
    AppUnderTest app(install.File(program), L"");
    HWND window = app.WaitForDialog(lstrcmpW(program, L"Brisquet.exe") == 0 ? L"予約一覧" : L"Halvorn Ver 2.3");
    ExpectCaptionsFit(window, dpi);
    app.PressCloseButton();
    app.WaitForExit();
  }
}

// The start-date calendar has the room a month needs, and covers no other
// control: every day can be clicked.
void ExpectWholeMonth(HWND dialog) {
  const HWND calendar = GetDlgItem(dialog, IDC_START_DATE);
  DWORD process_id = 0;
  GetWindowThreadProcessId(dialog, &process_id);
  HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, process_id);
  RECT needed{};
  {
    RemoteValue<RECT> remote(process, RECT{});
    SendAndWait(calendar, MCM_GETMINREQRECT, 0, remote.address());
    needed = remote.Read();
  }
  CloseHandle(process);
  RECT client{};
  GetClientRect(calendar, &client);
  std::printf("calendar: %ldx%ld, a month needs %ldx%ld\n", client.right, client.bottom, needed.right - needed.left,
              needed.bottom - needed.top);
  Expect(client.right >= needed.right - needed.left && client.bottom >= needed.bottom - needed.top,
         L"the calendar is smaller than a month");
  RECT area{};
  GetWindowRect(calendar, &area);
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT rect{}, overlap{};
    GetWindowRect(child, &rect);
    const bool frame = (GetWindowLongPtrW(child, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
    if (child == calendar || frame || GetParent(child) != dialog) continue;
    Expect(!IntersectRect(&overlap, &rect, &area),
           L"the calendar covers control " + std::to_wstring(GetDlgCtrlID(child)));
  }
}

void LayoutAt144Dpi(const ScenarioContext& context) {
  InstallFolder install(context, L"144 dpi");
  install.CopyProgram(L"Brisquet.exe");
  ExpectBothProgramsFit(install, 96);
  {
    SystemDpi scaled(144);
    ExpectBothProgramsFit(install, 144);
  }
  SIZE at_96{};
  {
    AppUnderTest app(install.exe(), L"");
    HWND dialog = app.WaitForDialog();
    at_96 = ClientSize(dialog);
    ExpectControlsInside(dialog);
    ExpectWholeMonth(dialog);
    app.PressCloseButton();
    app.WaitForExit();
  }
  SystemDpi scaled(144);
  AppUnderTest app(install.exe(), L"");
  HWND dialog = app.WaitForDialog();
  const SIZE at_144 = ClientSize(dialog);
  std::printf("client area: %ldx%ld at 96 DPI, %ldx%ld at 144 DPI\n", at_96.cx, at_96.cy, at_144.cx, at_144.cy);
  Expect(at_144.cx * 10 >= at_96.cx * 13, L"the dialog did not grow with the DPI");
  ExpectControlsInside(dialog);
  ExpectWholeMonth(dialog);
  SaveSettledWindowAsPng(dialog, context.out_dir + L"\\halvorn2-144dpi.png");
  app.PressCloseButton();
  Expect(app.WaitForExit().has_value(), L"the program did not end");
}

const ScenarioRegistration kScenarios{
    {L"version_resources", VersionResources},
    {L"layout_at_144_dpi", LayoutAt144Dpi},
};

}  // namespace
