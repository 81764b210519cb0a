#include "win32/caption_fit.h"

#include <algorithm>
#include <string>
#include <vector>

namespace win32 {
namespace {

struct Placed {
  HWND hwnd;
  RECT rect;   // in the dialog's client area
  bool frame;  // a group box, which other controls lie inside
};

bool IsGroupBox(HWND control) {
  wchar_t kind[16] = {};
  GetClassNameW(control, kind, 16);
  return lstrcmpiW(kind, L"Button") == 0 && (GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

bool IsCheckOrRadio(LONG_PTR style) {
  switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return true;
    default:
      return false;
  }
}

bool IsPushButton(LONG_PTR style) {
  return (style & BS_TYPEMASK) == BS_PUSHBUTTON || (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

bool IsTextStatic(LONG_PTR style) {
  switch (style & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
    case SS_LEFTNOWORDWRAP:
    case SS_SIMPLE:
      return true;
    default:
      return false;
  }
}

// The caption as drawn: "&&" is one ampersand, a single one marks the key.
std::wstring Drawn(const std::wstring& caption, bool prefixes) {
  if (!prefixes) return caption;
  std::wstring drawn;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == L'&' && i + 1 < caption.size()) ++i;
    drawn += caption[i];
  }
  return drawn;
}

bool Overlaps(LONG a_low, LONG a_high, LONG b_low, LONG b_high) { return a_low < b_high && b_low < a_high; }

}  // namespace

int CaptionWidthNeeded(HWND control, HFONT font, int dpi) {
  wchar_t kind[16] = {};
  GetClassNameW(control, kind, 16);
  const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
  const bool check = lstrcmpiW(kind, L"Button") == 0 && IsCheckOrRadio(style);
  const bool push = lstrcmpiW(kind, L"Button") == 0 && IsPushButton(style) && (style & BS_MULTILINE) == 0;
  const bool text_static = lstrcmpiW(kind, L"Static") == 0 && IsTextStatic(style);
  if (!check && !push && !text_static) return 0;
  std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  caption.resize(static_cast<std::size_t>(GetWindowTextW(control, caption.data(), static_cast<int>(caption.size()))));
  if (caption.empty() || caption.find(L'\n') != std::wstring::npos) return 0;
  const std::wstring drawn = Drawn(caption, !(text_static && (style & SS_NOPREFIX) != 0));
  const HDC dc = GetDC(control);
  const HGDIOBJ old = SelectObject(dc, font);
  SIZE extent{};
  GetTextExtentPoint32W(dc, drawn.c_str(), static_cast<int>(drawn.size()), &extent);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  RECT client{};
  GetClientRect(control, &client);
  // A static tall enough for two lines wraps its text rather than cutting it.
  if (text_static && (style & SS_TYPEMASK) != SS_LEFTNOWORDWRAP && (style & SS_TYPEMASK) != SS_SIMPLE &&
      client.bottom >= 2 * extent.cy) {
    return 0;
  }
  RECT frame{};
  GetWindowRect(control, &frame);
  const int borders = (frame.right - frame.left) - client.right;
  // The box is 13 pixels at 96 DPI, and the text begins a few pixels after
  // it; a push button's raised edge and focus frame take a few on each side.
  const int glyph = check ? MulDiv(13 + 6, dpi, 96) : push ? MulDiv(2 * 6, dpi, 96) : 0;
  return extent.cx + glyph + borders + 1;
}

void FitCaptions(HWND dialog) {
  RECT client{};
  GetClientRect(dialog, &client);
  std::vector<Placed> placed;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    placed.push_back({child, rect, IsGroupBox(child)});
  }
  const HDC screen = GetDC(dialog);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(dialog, screen);
  const int gap = MulDiv(2, dpi, 96);
  const int slack = MulDiv(4, dpi, 96);
  for (Placed& control : placed) {
    const int needed =
        CaptionWidthNeeded(control.hwnd, reinterpret_cast<HFONT>(SendMessageW(control.hwnd, WM_GETFONT, 0, 0)), dpi);
    RECT& rect = control.rect;
    if (needed <= rect.right - rect.left) continue;
    LONG right_limit = client.right - gap, left_limit = gap;
    for (const Placed& other : placed) {
      if (other.hwnd == control.hwnd || !Overlaps(rect.top, rect.bottom, other.rect.top, other.rect.bottom)) continue;
      const RECT& o = other.rect;
      if (other.frame && o.left <= rect.left && o.right >= rect.right) {
        // Inside the group box: its frame is the limit.
        right_limit = std::min(right_limit, o.right - 2 * gap);
        left_limit = std::max(left_limit, o.left + 2 * gap);
      } else if (o.left >= rect.right) {
        right_limit = std::min(right_limit, o.left - gap);
      } else if (o.right <= rect.left) {
        left_limit = std::max(left_limit, o.right + gap);
      }
    }
    // A widened control takes a few pixels more than its text measures,
    // for faces that draw a little wider than the one asked for.
    const int wanted = needed + slack;
    const LONG right = std::max(rect.right, std::min<LONG>(right_limit, rect.left + wanted));
    const LONG left = std::min(rect.left, std::max<LONG>(left_limit, right - wanted));
    if (right == rect.right && left == rect.left) continue;
    rect = {left, rect.top, right, rect.bottom};
    SetWindowPos(control.hwnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace win32
