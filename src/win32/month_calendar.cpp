#include "win32/month_calendar.h"

#include <algorithm>
#include <vector>

namespace win32 {

namespace {

RECT RectInParent(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool IsGroupBox(HWND control) {
  wchar_t name[16] = {};
  GetClassNameW(control, name, 16);
  return lstrcmpiW(name, L"Button") == 0 && (GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

void MoveTo(HWND control, const RECT& rect) {
  SetWindowPos(control, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

// The template's calendar is narrower than a month at every DPI, which
// cuts off Thursday to Saturday. It keeps its top-left corner and takes the
// size it asks for; what it would cover below it moves down, and the frame
// boxes and the dialog grow around it.
void MonthCalendar::ShowWholeMonth() {
  const HWND dialog = GetParent(hwnd_);
  RECT needed{};
  if (!MonthCal_GetMinReqRect(hwnd_, &needed)) return;
  const RECT before = RectInParent(hwnd_);
  RECT after = before;
  after.right = std::max<LONG>(before.right, before.left + needed.right - needed.left);
  after.bottom = std::max<LONG>(before.bottom, before.top + needed.bottom - needed.top);
  MoveTo(hwnd_, after);

  RECT gap{0, 0, 7, 7};  // the template's own margin, in dialog units
  MapDialogRect(dialog, &gap);
  const LONG margin = gap.right;
  std::vector<HWND> others;
  for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (child != hwnd_) others.push_back(child);
  }
  // Controls that lie below the calendar's old bottom and that it now covers
  // go down together with everything else below that line.
  LONG shift = 0;
  for (HWND control : others) {
    RECT rect = RectInParent(control), overlap{};
    if (!IsGroupBox(control) && rect.top >= before.bottom && IntersectRect(&overlap, &rect, &after)) {
      shift = std::max<LONG>(shift, after.bottom + margin / 2 - rect.top);
    }
  }
  RECT client{};
  GetClientRect(dialog, &client);
  const LONG widen = std::max<LONG>(0, after.right + margin - client.right);
  for (HWND control : others) {
    RECT rect = RectInParent(control);
    if (IsGroupBox(control)) {
      // A frame round the calendar holds all of it; frames that reach the
      // dialog's right edge go with it.
      RECT overlap{};
      if (IntersectRect(&overlap, &rect, &before))
        rect.bottom = std::max<LONG>(rect.bottom + shift, after.bottom + margin / 2);
      if (client.right - rect.right <= margin * 2) rect.right += widen;
      MoveTo(control, rect);
    } else if (shift > 0 && rect.top >= before.bottom) {
      OffsetRect(&rect, 0, shift);
      MoveTo(control, rect);
    }
  }
  if (widen > 0 || shift > 0) {
    RECT window{};
    GetWindowRect(dialog, &window);
    SetWindowPos(dialog, nullptr, 0, 0, window.right - window.left + widen, window.bottom - window.top + shift,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace win32
