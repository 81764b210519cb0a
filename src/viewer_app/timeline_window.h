#pragma once

#include <optional>
#include <string>
#include <vector>

#include "reservations/views/timeline_layout.h"
#include "win32/windows_api.h"

// "BrisquetTimeline": the viewer's tuners over the next seven days, drawn
// from the list's rows. Selection, 編集 and 削除 stay the viewer's: the
// timeline only tells it which reservation the user pointed at.
class TimelineWindow {
 public:
  class Host {
   public:
    virtual ~Host() = default;
    virtual const std::vector<ReservationRow>& Rows() const = 0;
    virtual int SelectedRow() const = 0;  // -1 for none
    virtual void SelectRow(int row) = 0;
    virtual void EditSelected() = 0;
    virtual void DeleteSelected() = 0;
    // The reservation's menu at a point of the screen.
    virtual void ShowReservationMenu(POINT at) = 0;
    virtual LocalMinute CurrentMinute() const = 0;
    // The profiles the lanes are named after.
    virtual const TunerOwners& Owners() const = 0;
  };

  static constexpr const wchar_t* kClassName = L"BrisquetTimeline";

  // Takes the place of `placeholder`'s rectangle in `parent`, hidden, with `id`.
  void Create(HINSTANCE instance, HWND parent, const RECT& rect, int id, Host& host);
  HWND hwnd() const { return hwnd_; }
  // The rows were read again.
  void Refresh();
  // The selection changed: drawn anew, and a click before still stands.
  void Repaint() const;
  // Moves the now-line when the minute has turned.
  void FollowClock();
  // The zoom in minutes across, how far from the current hour the view
  // begins, and its first lane, as the user left them.
  struct Place {
    int minutes = 0;
    int offset = 0;
    int top_lane = 0;
  };
  Place CurrentPlace() const;
  void GoTo(const Place& place);
  // Where the menu of the selected block opens from the keyboard, in
  // screen coordinates; nothing where no block is selected.
  std::optional<POINT> SelectedBlockCorner();

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);

  const TimelineLayout& Layout();
  void Paint(HDC target);
  void SetView(const TimelineView& view);
  void UpdateScrollBars();
  void OnScroll(int code);
  void OnLaneScroll(int code);
  // The label column as wide as the longest label, within limits.
  void FitLabels(const TimelineLayout& layout);
  void OnWheel(int delta, int x, bool zoom);
  void OnKey(WPARAM key);
  void Move(TimelineMove move);
  // The keyboard brings the picked block into view; a click leaves the
  // view under the mouse where it is.
  enum class Reach { ScrollIntoView, KeepView };
  void PickBlock(std::size_t block, Reach reach = Reach::ScrollIntoView);
  void OnContextMenu(int x, int y);
  void ShowTipFor(std::optional<std::size_t> block);
  int Scaled(int pixels) const;

  HWND hwnd_ = nullptr;
  HWND tooltip_ = nullptr;
  Host* host_ = nullptr;
  TimelineView view_;
  bool view_placed_ = false;
  std::optional<TimelineLayout> layout_;  // for the view, the rows and the minute it was made for
  LocalMinute layout_minute_ = 0;
  std::optional<std::size_t> focused_block_;
  std::optional<std::size_t> tip_block_;
  // The recording a click picked, so that a double-click acts on it alone.
  std::optional<PickedRecording> clicked_;
  std::wstring tip_text_;
  HFONT font_ = nullptr;
  int dpi_ = 96;
};
