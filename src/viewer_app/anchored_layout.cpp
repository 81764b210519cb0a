#include "viewer_app/anchored_layout.h"

void AnchoredLayout::Remember(HWND dialog) {
  RECT client{};
  GetClientRect(dialog, &client);
  client_ = {client.right, client.bottom};
  RECT window{};
  GetWindowRect(dialog, &window);
  minimum_ = {window.right - window.left, window.bottom - window.top};
}

void AnchoredLayout::Add(HWND dialog, int id, unsigned anchors) {
  RECT rect{};
  const HWND control = GetDlgItem(dialog, id);
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  items_.push_back({id, anchors, rect});
}

void AnchoredLayout::Arrange(HWND dialog, int client_width, int client_height) const {
  const int grown_x = client_width - client_.cx;
  const int grown_y = client_height - client_.cy;
  HDWP moves = BeginDeferWindowPos(static_cast<int>(items_.size()));
  for (const Item& item : items_) {
    RECT rect = item.rect;
    if (item.anchors & kFollowRight) OffsetRect(&rect, grown_x, 0);
    if (item.anchors & kFollowBottom) OffsetRect(&rect, 0, grown_y);
    if (item.anchors & kStretchWidth) rect.right += grown_x;
    if (item.anchors & kStretchHeight) rect.bottom += grown_y;
    if (moves != nullptr) {
      moves = DeferWindowPos(moves, GetDlgItem(dialog, item.id), nullptr, rect.left, rect.top, rect.right - rect.left,
                             rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  if (moves != nullptr) EndDeferWindowPos(moves);
  InvalidateRect(dialog, nullptr, TRUE);
}
