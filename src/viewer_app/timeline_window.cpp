#include "viewer_app/timeline_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "win32/wide_text.h"

namespace {

// Calm colours for what records, red only for a collision.
constexpr COLORREF kBlockColor = RGB(96, 140, 196);
constexpr COLORREF kCollisionColor = RGB(208, 48, 48);
constexpr COLORREF kOverlapColor = RGB(144, 20, 20);
constexpr COLORREF kDayLineColor = RGB(150, 150, 150);
constexpr COLORREF kHourLineColor = RGB(226, 226, 226);
constexpr COLORREF kLaneLineColor = RGB(205, 205, 205);

// Further than any lane: the view keeps its last lane at the bottom.
constexpr int kLastLane = 100000;

// Where a scroll bar's `code` moves `position`: a line or a page either
// way, to either end, or where its box is dragged; nothing for the others.
std::optional<int> ScrolledTo(HWND hwnd, int bar, int code, int position, int line, int page, int last) {
  switch (code) {
    case SB_LINEUP:  // and SB_LINELEFT
      return position - line;
    case SB_LINEDOWN:
      return position + line;
    case SB_PAGEUP:
      return position - page;
    case SB_PAGEDOWN:
      return position + page;
    case SB_TOP:
      return 0;
    case SB_BOTTOM:
      return last;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{};
      info.cbSize = sizeof(info);
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(hwnd, bar, &info);
      return info.nTrackPos;
    }
    default:
      return std::nullopt;
  }
}

RECT AsRect(const TimelineRect& r) { return {r.left, r.top, r.right, r.bottom}; }

void Fill(HDC dc, const RECT& rect, COLORREF color) {
  SetBkColor(dc, color);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void Line(HDC dc, int x0, int y0, int x1, int y1, COLORREF color, int width = 1) {
  const HPEN pen = CreatePen(PS_SOLID, width, color);
  const HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
  SelectObject(dc, old);
  DeleteObject(pen);
}

void Text(HDC dc, std::u16string_view text, RECT rect, COLORREF color, UINT format) {
  const std::wstring wide = win32::Wide(text);
  SetTextColor(dc, color);
  SetBkMode(dc, TRANSPARENT);
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect,
            format | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

int TextWidth(HDC dc, std::u16string_view text) {
  const std::wstring wide = win32::Wide(text);
  SIZE extent{};
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
  return extent.cx;
}

// An off-screen bitmap the size of the window, shown in one piece.
class BackBuffer {
 public:
  BackBuffer(HDC target, const RECT& client)
      : target_(target),
        client_(client),
        dc_(CreateCompatibleDC(target)),
        bitmap_(CreateCompatibleBitmap(target, std::max<LONG>(client.right, 1), std::max<LONG>(client.bottom, 1))),
        old_(SelectObject(dc_, bitmap_)) {}
  ~BackBuffer() {
    BitBlt(target_, 0, 0, client_.right, client_.bottom, dc_, 0, 0, SRCCOPY);
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  BackBuffer(const BackBuffer&) = delete;
  BackBuffer& operator=(const BackBuffer&) = delete;
  HDC dc() const { return dc_; }

 private:
  HDC target_;
  RECT client_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

}  // namespace

void TimelineWindow::Create(HINSTANCE instance, HWND parent, const RECT& rect, int id, Host& host) {
  host_ = &host;
  const HDC screen = GetDC(nullptr);
  dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  WNDCLASSEXW type{};
  type.cbSize = sizeof(type);
  type.style = CS_DBLCLKS;
  type.lpfnWndProc = Procedure;
  type.hInstance = instance;
  type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  type.lpszClassName = kClassName;
  RegisterClassExW(&type);
  hwnd_ =
      CreateWindowExW(WS_EX_CLIENTEDGE, kClassName, L"タイムライン", WS_CHILD | WS_TABSTOP | WS_HSCROLL | WS_VSCROLL,
                      rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
  font_ = reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0));
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0,
                             0, hwnd_, nullptr, instance, nullptr);
  TOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = hwnd_;
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd_);
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, Scaled(480));
}

void TimelineWindow::Refresh() {
  layout_.reset();
  // Rows read again may stand in another order: a click before is no
  // longer a click on what is there now.
  clicked_.reset();
  if (hwnd_ != nullptr) InvalidateRect(hwnd_, nullptr, FALSE);
}

void TimelineWindow::Repaint() const {
  if (hwnd_ != nullptr) InvalidateRect(hwnd_, nullptr, FALSE);
}

void TimelineWindow::FollowClock() {
  if (layout_ && layout_minute_ != host_->CurrentMinute() && IsWindowVisible(hwnd_)) Refresh();
}

int TimelineWindow::Scaled(int pixels) const { return MulDiv(pixels, dpi_, 96); }

const TimelineLayout& TimelineWindow::Layout() {
  const LocalMinute now = host_->CurrentMinute();
  if (!view_placed_) {
    RECT client{};
    GetClientRect(hwnd_, &client);
    view_.width = client.right;
    view_.height = client.bottom;
    view_.left += TimelineStart(now);
    view_.label_width = Scaled(96);
    view_.header_height = Scaled(36);
    view_.lane_height = Scaled(28);
    view_placed_ = true;
  }
  // A scroll bar shown or hidden resizes the window, which lays it out
  // again; twice is enough for both bars to settle.
  for (int pass = 0; pass < 3 && (!layout_ || layout_minute_ != now); ++pass) {
    view_ = ClampView(view_, now);
    layout_ = LayOutTimeline(host_->Rows(), now, view_, host_->Owners());
    FitLabels(*layout_);
    view_.top_lane = layout_->top_lane;
    layout_minute_ = now;
    if (focused_block_ && *focused_block_ >= layout_->blocks.size()) focused_block_.reset();
    UpdateScrollBars();
  }
  if (!layout_) layout_ = LayOutTimeline(host_->Rows(), now, view_, host_->Owners());
  return *layout_;
}

void TimelineWindow::FitLabels(const TimelineLayout& layout) {
  const HDC dc = GetDC(hwnd_);
  const HGDIOBJ old = SelectObject(dc, font_);
  int widest = 0;
  for (const TimelineLane& lane : layout.lanes) widest = std::max(widest, TextWidth(dc, lane.label));
  SelectObject(dc, old);
  ReleaseDC(hwnd_, dc);
  // Never so wide that the time area is squeezed: a longer label ends in "...".
  const int wanted = std::clamp(widest + Scaled(12), Scaled(96), std::max(Scaled(96), view_.width / 3));
  if (wanted == view_.label_width) return;
  view_.label_width = wanted;
  layout_ = LayOutTimeline(host_->Rows(), host_->CurrentMinute(), view_, host_->Owners());
}

void TimelineWindow::SetView(const TimelineView& view) {
  view_ = ClampView(view, host_->CurrentMinute());
  layout_.reset();
  Layout();
  InvalidateRect(hwnd_, nullptr, FALSE);
}

TimelineWindow::Place TimelineWindow::CurrentPlace() const {
  const LocalMinute start = view_placed_ ? TimelineStart(host_->CurrentMinute()) : 0;
  return {view_.minutes_across, static_cast<int>(view_.left - start), view_.top_lane};
}

void TimelineWindow::GoTo(const Place& place) {
  view_.minutes_across = place.minutes;
  view_.left = place.offset + (view_placed_ ? TimelineStart(host_->CurrentMinute()) : 0);
  view_.top_lane = place.top_lane;
  layout_.reset();
  if (view_placed_) SetView(view_);
}

void TimelineWindow::UpdateScrollBars() {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  info.nMax = static_cast<int>(kTimelineSpan) - 1;
  info.nPage = static_cast<UINT>(view_.minutes_across);
  info.nPos = static_cast<int>(view_.left - TimelineStart(host_->CurrentMinute()));
  SetScrollInfo(hwnd_, SB_HORZ, &info, TRUE);
  // The lanes' bar shows only where they do not all fit.
  SCROLLINFO lanes{};
  lanes.cbSize = sizeof(lanes);
  lanes.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  lanes.nMax = layout_ ? static_cast<int>(layout_->lanes.size()) - 1 : 0;
  lanes.nPage = static_cast<UINT>(std::min(LanesInView(view_), kLastLane));
  lanes.nPos = view_.top_lane;
  SetScrollInfo(hwnd_, SB_VERT, &lanes, TRUE);
}

void TimelineWindow::OnLaneScroll(int code) {
  if (const auto to = ScrolledTo(hwnd_, SB_VERT, code, view_.top_lane, 1, LanesInView(view_), kLastLane)) {
    TimelineView view = view_;
    view.top_lane = std::max(*to, 0);
    SetView(view);
  }
}

std::optional<POINT> TimelineWindow::SelectedBlockCorner() {
  const TimelineLayout& layout = Layout();
  if (!focused_block_ || static_cast<int>(layout.blocks[*focused_block_].row) != host_->SelectedRow())
    return std::nullopt;
  const TimelineRect& rect = layout.blocks[*focused_block_].rect;
  POINT point{std::max(rect.left, layout.time_area.left), rect.bottom};
  ClientToScreen(hwnd_, &point);
  return point;
}

void TimelineWindow::OnScroll(int code) {
  const LocalMinute start = TimelineStart(host_->CurrentMinute());
  const int across = view_.minutes_across;
  if (const auto to = ScrolledTo(hwnd_, SB_HORZ, code, static_cast<int>(view_.left - start), std::max(across / 12, 10),
                                 across * 9 / 10, static_cast<int>(kTimelineSpan))) {
    TimelineView view = view_;
    view.left = start + *to;
    SetView(view);
  }
}

void TimelineWindow::OnWheel(int delta, int x, bool zoom) {
  if (zoom) {
    SetView(ZoomAt(view_, x, delta > 0 ? 0.8 : 1.25, host_->CurrentMinute()));
    return;
  }
  // The wheel scrolls the lanes; where they all fit, it scrolls in time.
  const bool lanes_fit = Layout().lanes.size() <= static_cast<std::size_t>(LanesInView(view_));
  TimelineView view = view_;
  if (lanes_fit) {
    view.left -= static_cast<LocalMinute>(delta) * view.minutes_across / (8 * WHEEL_DELTA);
  } else {
    view.top_lane = std::max(view.top_lane - delta / WHEEL_DELTA, 0);
  }
  SetView(view);
}

void TimelineWindow::PickBlock(std::size_t block, Reach reach) {
  const TimelineLayout& layout = Layout();
  if (block >= layout.blocks.size()) return;
  focused_block_ = block;
  const TimelineBlock picked = layout.blocks[block];
  host_->SelectRow(static_cast<int>(picked.row));
  if (reach == Reach::ScrollIntoView) {
    const TimelineView shown = ViewShowing(view_, Layout(), block, host_->CurrentMinute());
    if (!(shown == view_)) {
      SetView(shown);
      // The same recording, wherever the new layout puts it.
      const auto& blocks = Layout().blocks;
      for (std::size_t i = 0; i < blocks.size(); ++i) {
        if (blocks[i].row == picked.row && blocks[i].recording == picked.recording) focused_block_ = i;
      }
    }
  }
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void TimelineWindow::Move(TimelineMove move) {
  const TimelineLayout& layout = Layout();
  // The keys go on from the reservation the list has selected: from its
  // first block, where the one they last moved to is not one of its own.
  const int selected = host_->SelectedRow();
  if (!focused_block_ || static_cast<int>(layout.blocks[*focused_block_].row) != selected) {
    focused_block_.reset();
    for (std::size_t i = 0; i < layout.blocks.size() && !focused_block_; ++i) {
      if (static_cast<int>(layout.blocks[i].row) == selected) focused_block_ = i;
    }
  }
  if (const auto next = BlockAfterMove(layout, focused_block_, move, LanesInView(view_))) PickBlock(*next);
}

void TimelineWindow::OnKey(WPARAM key) {
  const bool blocks = !Layout().blocks.empty();
  switch (key) {
    case VK_LEFT:
      return blocks ? Move(TimelineMove::Earlier) : OnScroll(SB_LINELEFT);
    case VK_RIGHT:
      return blocks ? Move(TimelineMove::Later) : OnScroll(SB_LINERIGHT);
    case VK_UP:
      return Move(TimelineMove::LaneUp);
    case VK_DOWN:
      return Move(TimelineMove::LaneDown);
    case VK_PRIOR:
      return Move(TimelineMove::PageUp);
    case VK_NEXT:
      return Move(TimelineMove::PageDown);
    case VK_HOME:
      return Move(TimelineMove::First);
    case VK_END:
      return Move(TimelineMove::Last);
    case VK_DELETE:
      if (host_->SelectedRow() >= 0) host_->DeleteSelected();
      return;
    default:
      return;
  }
}

void TimelineWindow::OnContextMenu(int x, int y) {
  if (x != -1 || y != -1) {
    POINT point{x, y};
    ScreenToClient(hwnd_, &point);
    const auto block = BlockAt(Layout(), point.x, point.y);
    // A right-click beside every block opens nothing.
    if (!block) return;
    PickBlock(*block, Reach::KeepView);
    host_->ShowReservationMenu({x, y});
    return;
  }
  if (const auto corner = SelectedBlockCorner()) host_->ShowReservationMenu(*corner);
}

void TimelineWindow::ShowTipFor(std::optional<std::size_t> block) {
  if (block == tip_block_) return;
  tip_block_ = block;
  tip_text_.clear();
  if (block) {
    const TimelineBlock& b = Layout().blocks[*block];
    tip_text_ = win32::Wide(TimelineTip(host_->Rows()[b.row], b.recording));
  }
  SendMessageW(tooltip_, TTM_POP, 0, 0);
  SendMessageW(tooltip_, TTM_UPDATE, 0, 0);
}

void TimelineWindow::Paint(HDC target) {
  RECT client{};
  GetClientRect(hwnd_, &client);
  const TimelineLayout& layout = Layout();
  BackBuffer buffer(target, client);
  const HDC dc = buffer.dc();
  const HGDIOBJ old_font = SelectObject(dc, font_);
  Fill(dc, client, GetSysColor(COLOR_WINDOW));
  const int header = view_.header_height;
  Fill(dc, {0, 0, client.right, header}, GetSysColor(COLOR_BTNFACE));
  const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
  const RECT time_area = AsRect(layout.time_area);

  // The axis: days across the whole height, hours below the day labels.
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, time_area.left, 0, client.right, client.bottom);
  const int half = header / 2;
  bool day_at_left = false;
  for (const TimelineTick& tick : layout.ticks) {
    if (tick.day) {
      Line(dc, tick.x, 0, tick.x, client.bottom, kDayLineColor);
      Text(dc, tick.label, {tick.x + 3, 0, tick.x + Scaled(120), half}, text, DT_LEFT);
      day_at_left = day_at_left || tick.x - time_area.left < Scaled(90);
    } else {
      Line(dc, tick.x, half, tick.x, client.bottom, kHourLineColor);
      Text(dc, tick.label, {tick.x + 2, half, tick.x + Scaled(40), header}, text, DT_LEFT);
    }
  }
  if (!day_at_left) Text(dc, layout.first_day, {time_area.left + 3, 0, time_area.left + Scaled(120), half}, text, 0);
  RestoreDC(dc, saved);

  for (const TimelineLane& lane : layout.lanes) {
    RECT cell = AsRect(lane.rect);
    Line(dc, 0, cell.bottom - 1, client.right, cell.bottom - 1, kLaneLineColor);
    cell.left += 4;
    Text(dc, lane.label, cell, text, DT_LEFT);
  }
  Line(dc, time_area.left - 1, 0, time_area.left - 1, client.bottom, kDayLineColor);
  if (layout.lanes.empty()) {
    Text(dc, u"これから 7 日に録画する予約はありません。", {time_area.left, header, client.right, header + Scaled(40)},
         GetSysColor(COLOR_GRAYTEXT), DT_CENTER);
  }

  const int blocks_saved = SaveDC(dc);
  IntersectClipRect(dc, time_area.left, header, client.right, client.bottom);
  const int selected = host_->SelectedRow();
  const HBRUSH outline = GetSysColorBrush(COLOR_WINDOWTEXT);
  for (std::size_t i = 0; i < layout.blocks.size(); ++i) {
    const TimelineBlock& block = layout.blocks[i];
    RECT rect = AsRect(block.rect);
    if (rect.right < time_area.left || rect.left > client.right) continue;
    Fill(dc, rect, block.collides ? kCollisionColor : kBlockColor);
    for (const TimelineRect& overlap : block.overlaps) Fill(dc, AsRect(overlap), kOverlapColor);
    const ReservationRow& row = host_->Rows()[block.row];
    // The selection is framed outside the block, so its red stays in sight.
    if (static_cast<int>(block.row) == selected) {
      RECT frame = rect;
      InflateRect(&frame, 2, 2);
      FrameRect(dc, &frame, outline);
      InflateRect(&frame, -1, -1);
      FrameRect(dc, &frame, outline);
    }
    // The caption inside where it fits, else after the block where its lane
    // is free, else as much of it inside as a few characters allow.
    const int width = rect.right - rect.left - 6;
    const int room_after = block.caption_room - rect.right - 6;
    if (width >= Scaled(14) || room_after >= Scaled(60)) {
      const std::u16string caption = BlockCaption(row, block);
      if (room_after < Scaled(60) || (width >= Scaled(14) && TextWidth(dc, caption) <= width)) {
        Text(dc, caption, {rect.left + 3, rect.top, rect.right - 3, rect.bottom}, RGB(255, 255, 255), DT_LEFT);
      } else {
        Text(dc, caption, {rect.right + 4, rect.top, rect.right + 4 + room_after, rect.bottom}, text, DT_LEFT);
      }
    }
    if (focused_block_ == i && GetFocus() == hwnd_) {
      RECT focus = rect;
      InflateRect(&focus, 3, 3);
      DrawFocusRect(dc, &focus);
    }
  }
  RestoreDC(dc, blocks_saved);
  // Now runs down the lanes only, clear of the hour labels.
  if (layout.now_x) Line(dc, *layout.now_x, header, *layout.now_x, client.bottom, GetSysColor(COLOR_HIGHLIGHT), 2);
  SelectObject(dc, old_font);
}

LRESULT CALLBACK TimelineWindow::Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<TimelineWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TimelineWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return self != nullptr && self->host_ != nullptr ? self->Handle(message, wparam, lparam)
                                                   : DefWindowProcW(hwnd, message, wparam, lparam);
}

LRESULT TimelineWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      const HDC dc = BeginPaint(hwnd_, &paint);
      Paint(dc);
      EndPaint(hwnd_, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // everything is painted in one piece
    case WM_SIZE:
      view_.width = LOWORD(lparam);
      view_.height = HIWORD(lparam);
      layout_.reset();
      InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
    case WM_HSCROLL:
      OnScroll(LOWORD(wparam));
      return 0;
    case WM_VSCROLL:
      OnLaneScroll(LOWORD(wparam));
      return 0;
    case WM_MOUSEWHEEL: {
      POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
      ScreenToClient(hwnd_, &point);
      OnWheel(GET_WHEEL_DELTA_WPARAM(wparam), point.x, (GET_KEYSTATE_WPARAM(wparam) & MK_CONTROL) != 0);
      return 0;
    }
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_KEYDOWN:
      OnKey(wparam);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
    case WM_LBUTTONDOWN: {
      SetFocus(hwnd_);
      const int x = GET_X_LPARAM(lparam), y = GET_Y_LPARAM(lparam);
      clicked_ = PickAt(Layout(), x, y);
      if (const auto block = BlockAt(Layout(), x, y)) PickBlock(*block, Reach::KeepView);
      return 0;
    }
    case WM_LBUTTONDBLCLK: {
      if (const auto block = DoubleClickTarget(Layout(), clicked_, GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam))) {
        PickBlock(*block, Reach::KeepView);
        host_->EditSelected();
      }
      return 0;
    }
    case WM_MOUSEMOVE:
      ShowTipFor(BlockAt(Layout(), GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)));
      return 0;
    case WM_CONTEXTMENU:
      OnContextMenu(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
      return 0;
    case WM_NOTIFY: {
      auto* info = reinterpret_cast<NMTTDISPINFOW*>(lparam);
      if (info->hdr.hwndFrom != tooltip_ || info->hdr.code != TTN_GETDISPINFOW) break;
      info->lpszText = tip_text_.data();
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}
