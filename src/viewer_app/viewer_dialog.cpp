#include "viewer_app/viewer_dialog.h"

#include <windowsx.h>

#include <algorithm>
#include <memory>
#include <type_traits>
#include <utility>

#include "brisquet_resource.h"
#include "iepg/channel_table.h"
#include "platform/code_page.h"
#include "platform/executable_folder.h"
#include "platform/file_access.h"
#include "platform/local_time.h"
#include "reservations/checks/disk_room.h"
#include "reservations/edit/edit_reservation.h"
#include "reservations/checks/recording_checks.h"
#include "reservations/checks/reading_checks.h"
#include "reservations/stored/stored_work_items.h"
#include "scheduler/check_work_item.h"
#include "scheduler/registration.h"
#include "reservations/checks/wake_check.h"
#include "reservations/edit/carried_reservation.h"
#include "reservations/tuners/planned_collisions.h"
#include "settings/settings_file.h"
#include "viewer_app/list_view.h"
#include "viewer_app/reservation_reading.h"
#include "win32/caption_fit.h"
#include "win32/file_system_facts.h"
#include "win32/module_path.h"
#include "win32/power_readings.h"
#include "win32/private_profile_store.h"
#include "win32/services.h"
#include "win32/start_program.h"
#include "win32/system_message.h"
#include "win32/wide_text.h"

namespace {

constexpr wchar_t kCaption[] = L"予約一覧";
constexpr UINT_PTR kHalvornTimer = 1;
// The Tasks folder is looked at a few times a second; a burst of changes
// (a registration writes its file more than once) is read once, when it is over.
constexpr UINT_PTR kWatchTimer = 2;
constexpr UINT kWatchInterval = 250;
constexpr UINT_PTR kSettledTimer = 3;
constexpr UINT kSettleDelay = 700;
// The file system's answers to a reading come back with this message; the
// list waits for them this long, all of them together.
constexpr UINT kAnswersCame = WM_APP + 1;
constexpr DWORD kAnswerWait = 1000;

struct ColumnHeading {
  Column column;
  const char16_t* caption;
  int width;
};
// Widths at 96 DPI for the usual contents, together as wide as the list
// in the window as it first opens.
constexpr ColumnHeading kHeadings[] = {
    {Column::Name, u"登録名", 95},         {Column::NextStart, u"次回録画", 130}, {Column::Repeat, u"繰り返し", 65},
    {Column::Channel, u"チャンネル", 100}, {Column::Tuner, u"チューナー", 70},    {Column::Window, u"録画時間", 95},
    {Column::Output, u"保存先", 115},      {Column::State, u"状態", 70},          {Column::LastRun, u"前回", 165},
};
static_assert(std::size(kHeadings) == kColumnCount);

// Lines of a message as one line of the notes under the list.
std::u16string OneLine(std::u16string text) {
  for (std::size_t at = text.find(u"\r\n"); at != std::u16string::npos; at = text.find(u"\r\n", at))
    text.replace(at, 2, at + 2 == text.size() ? u"" : u" ");
  return text;
}

int HeadingOf(Column column) {
  for (int i = 0; i < static_cast<int>(std::size(kHeadings)); ++i) {
    if (kHeadings[i].column == column) return i;
  }
  return 0;
}

// Texts in the order the user's language sorts them.
int LocaleOrder(std::u16string_view a, std::u16string_view b) {
  const std::wstring x = win32::Wide(a), y = win32::Wide(b);
  const int compared = CompareStringEx(LOCALE_NAME_USER_DEFAULT, 0, x.c_str(), static_cast<int>(x.size()), y.c_str(),
                                       static_cast<int>(y.size()), nullptr, nullptr, 0);
  return compared == 0 ? a.compare(b) : compared - CSTR_EQUAL;
}

// The top-level window of a process, where it has one on show.
HWND MainWindowOf(DWORD process_id) {
  struct Search {
    DWORD process_id;
    HWND found;
  } search{process_id, nullptr};
  EnumWindows(
      [](HWND hwnd, LPARAM lparam) -> BOOL {
        auto& search = *reinterpret_cast<Search*>(lparam);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner != search.process_id || !IsWindowVisible(hwnd) || GetWindow(hwnd, GW_OWNER) != nullptr) return TRUE;
        search.found = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

ViewerDialog::ViewerDialog(HINSTANCE instance, TaskSchedulerPlatform& scheduler)
    : instance_(instance), scheduler_(scheduler) {}

namespace {

// The dialog whose keys the filter sees: a modal dialog box has no message
// loop of ours to look at Ctrl+Tab before the dialog manager takes it.
ViewerDialog* filtered_dialog = nullptr;

struct HookRemover {
  void operator()(HHOOK hook) const { UnhookWindowsHookEx(hook); }
};

}  // namespace

void ViewerDialog::Run() {
  filtered_dialog = this;
  const std::unique_ptr<std::remove_pointer_t<HHOOK>, HookRemover> filter(
      SetWindowsHookExW(WH_MSGFILTER, FilterKeys, nullptr, GetCurrentThreadId()));
  DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_BRISQUET_DIALOG), nullptr, Procedure, reinterpret_cast<LPARAM>(this));
  filtered_dialog = nullptr;
}

LRESULT CALLBACK ViewerDialog::FilterKeys(int code, WPARAM wparam, LPARAM lparam) {
  const MSG* message = reinterpret_cast<const MSG*>(lparam);
  ViewerDialog* self = filtered_dialog;
  if (code == MSGF_DIALOGBOX && self != nullptr && self->OnReservationKey(*message)) return TRUE;
  if (code == MSGF_DIALOGBOX && self != nullptr && self->tabs_ != nullptr && message->message == WM_KEYDOWN &&
      message->wParam == VK_TAB && GetKeyState(VK_CONTROL) < 0 && GetAncestor(message->hwnd, GA_ROOT) == self->hwnd_) {
    self->ShowTab(!self->saved_layout_.timeline);
    return TRUE;
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

void ViewerDialog::ShowTab(bool timeline) {
  saved_layout_.timeline = timeline;
  TabCtrl_SetCurSel(tabs_, timeline ? 1 : 0);
  ShowWindow(timeline_.hwnd(), timeline ? SW_SHOW : SW_HIDE);
  ShowWindow(list_, timeline ? SW_HIDE : SW_SHOW);
  SetFocus(timeline ? timeline_.hwnd() : list_);
  if (timeline) timeline_.Refresh();
}

int ViewerDialog::SelectedRow() const { return list_ != nullptr ? ListView(list_).Selected() : -1; }

void ViewerDialog::SelectRow(int row) { ListView(list_).Select(row); }

LocalMinute ViewerDialog::CurrentMinute() const { return CurrentLocalMinute(); }

INT_PTR CALLBACK ViewerDialog::Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(hwnd, DWLP_USER, lparam);
    reinterpret_cast<ViewerDialog*>(lparam)->hwnd_ = hwnd;
  }
  auto* self = reinterpret_cast<ViewerDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  return self != nullptr ? self->Handle(message, wparam, lparam) : FALSE;
}

INT_PTR ViewerDialog::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInit();
      return TRUE;
    case WM_SIZE:
      layout_.Arrange(hwnd_, LOWORD(lparam), HIWORD(lparam));
      return TRUE;
    case WM_GETMINMAXINFO: {
      auto* limits = reinterpret_cast<MINMAXINFO*>(lparam);
      limits->ptMinTrackSize = {layout_.minimum_size().cx, layout_.minimum_size().cy};
      return TRUE;
    }
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<NMHDR*>(lparam)) ? TRUE : FALSE;
    case WM_COMMAND:
      OnCommand(LOWORD(wparam));
      return TRUE;
    case WM_TIMER:
      OnTimer(wparam);
      return TRUE;
    case WM_CLOSE:
      Close();
      return TRUE;
    case kAnswersCame:
      OnAnswersCame(wparam);
      return TRUE;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wparam) != list_) return FALSE;
      if (lparam == -1) {
        ShowMenuFromKeyboard();
      } else if (SelectedReservation() != nullptr) {
        // The list selects the row under a right-click before it asks.
        ShowReservationMenu({GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
      }
      return TRUE;
    default:
      return FALSE;
  }
}

void ViewerDialog::OnInit() {
  const HICON icon = LoadIconW(instance_, MAKEINTRESOURCEW(IDR_BRISQUET));
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  win32::PrivateProfileStore store(BesideViewer(kViewerSettingsFileName));
  saved_layout_ = ReadViewerLayout(store);
  list_ = GetDlgItem(hwnd_, IDC_RESERVATIONS);
  tabs_ = GetDlgItem(hwnd_, IDC_VIEW_TABS);
  for (const auto& [index, caption] : {std::pair{0, L"一覧"}, std::pair{1, L"タイムライン"}}) {
    TCITEMW tab{};
    tab.mask = TCIF_TEXT;
    tab.pszText = const_cast<wchar_t*>(caption);
    TabCtrl_InsertItem(tabs_, index, &tab);
  }
  RECT list_place{};
  GetWindowRect(list_, &list_place);
  MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&list_place), 2);
  timeline_.Create(instance_, hwnd_, list_place, IDC_TIMELINE, *this);
  SetWindowPos(timeline_.hwnd(), list_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  timeline_.GoTo({saved_layout_.timeline_minutes, saved_layout_.timeline_offset, saved_layout_.timeline_top_lane});
  ListView list(list_);
  list.SetUp();
  const std::vector<int> widths = DefaultColumnWidths();
  for (int i = 0; i < static_cast<int>(std::size(kHeadings)); ++i) {
    const std::size_t at = static_cast<std::size_t>(i);
    list.AddColumn(i, kHeadings[i].caption, saved_layout_.column_widths[at].value_or(widths[at]));
  }
  win32::FitCaptions(hwnd_);
  layout_.Remember(hwnd_);
  layout_.Add(hwnd_, IDC_VIEW_TABS, AnchoredLayout::kStretchWidth);
  for (int id : {IDC_RESERVATIONS, IDC_TIMELINE}) {
    layout_.Add(hwnd_, id, AnchoredLayout::kStretchWidth | AnchoredLayout::kStretchHeight);
  }
  for (int id : {IDC_COLLISION_NOTE, IDC_DISK_NOTE, IDC_WAKE_NOTE}) {
    layout_.Add(hwnd_, id, AnchoredLayout::kStretchWidth | AnchoredLayout::kFollowBottom);
  }
  for (int id : {IDC_REFRESH, IDC_EDIT_RESERVATION, IDC_DELETE_RESERVATION, IDC_CHECK_AT_LOGON}) {
    layout_.Add(hwnd_, id, AnchoredLayout::kFollowBottom);
  }
  layout_.Add(hwnd_, IDCANCEL, AnchoredLayout::kFollowBottom | AnchoredLayout::kFollowRight);
  RestorePlacement();
  // Followed from the start, also when the Task Scheduler makes its folder later.
  watch_.Follow(TasksFolder());
  SetTimer(hwnd_, kWatchTimer, kWatchInterval, nullptr);
  Reload();
  if (!select_at_start_.empty()) {
    // Opened from the check's notice: the list, with the reservation it names.
    saved_layout_.timeline = false;
    for (std::size_t row = 0; row < rows_.size(); ++row) {
      if (rows_[row].item.name == select_at_start_) ListView(list_).Select(static_cast<int>(row));
    }
  }
  ShowTab(saved_layout_.timeline);
}

// The columns as wide as their usual contents at the screen's DPI, and
// narrowed alike where the list is narrower, so that at first start the
// rows show whole, with room for the vertical scroll bar.
std::vector<int> ViewerDialog::DefaultColumnWidths() const {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  RECT client{};
  GetClientRect(list_, &client);
  const int room = client.right - GetSystemMetrics(SM_CXVSCROLL) - 2;
  int total = 0;
  for (const ColumnHeading& heading : kHeadings) total += MulDiv(heading.width, dpi, 96);
  std::vector<int> widths;
  for (const ColumnHeading& heading : kHeadings) {
    const int width = MulDiv(heading.width, dpi, 96);
    widths.push_back(total > room && room > 0 ? MulDiv(width, room, total) : width);
  }
  return widths;
}

// Where the window was left, never smaller than the dialog opens. The
// placement is saved and restored in workspace coordinates, which move with
// the taskbar; a window whose caption is not usably on any monitor is
// pulled onto the nearest one's work area.
void ViewerDialog::RestorePlacement() {
  if (!saved_layout_.window) return;
  const ViewerLayout::Placement& saved = *saved_layout_.window;
  const int width = std::max<int>(saved.width, layout_.minimum_size().cx);
  const int height = std::max<int>(saved.height, layout_.minimum_size().cy);
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  if (!GetWindowPlacement(hwnd_, &placement)) return;
  // Workspace coordinates lie this far from the screen's.
  MONITORINFO primary{};
  primary.cbSize = sizeof(primary);
  GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &primary);
  const LONG dx = primary.rcWork.left - primary.rcMonitor.left, dy = primary.rcWork.top - primary.rcMonitor.top;
  RECT caption{saved.left + dx, saved.top + dy, saved.left + dx + width,
               saved.top + dy + GetSystemMetrics(SM_CYCAPTION)};
  MONITORINFO nearest{};
  nearest.cbSize = sizeof(nearest);
  GetMonitorInfoW(MonitorFromRect(&caption, MONITOR_DEFAULTTONEAREST), &nearest);
  RECT shown{};
  const bool usable = IntersectRect(&shown, &caption, &nearest.rcWork) && shown.right - shown.left >= 100 &&
                      shown.bottom - shown.top >= (caption.bottom - caption.top) / 2;
  LONG left = saved.left + dx, top = saved.top + dy;
  if (!usable) {
    const RECT& work = nearest.rcWork;
    left = std::max<LONG>(work.left, std::min<LONG>(left, work.right - width));
    top = std::max<LONG>(work.top, std::min<LONG>(top, work.bottom - height));
  }
  placement.rcNormalPosition = {left - dx, top - dy, left - dx + width, top - dy + height};
  placement.showCmd = SW_HIDE;  // the dialog is shown when it is ready
  placement.flags = 0;
  SetWindowPlacement(hwnd_, &placement);
}

bool ViewerDialog::OnNotify(const NMHDR& header) {
  if (header.idFrom == IDC_VIEW_TABS && header.code == TCN_SELCHANGE) {
    ShowTab(TabCtrl_GetCurSel(tabs_) == 1);
    return true;
  }
  if (header.idFrom != IDC_RESERVATIONS) return false;
  switch (header.code) {
    case NM_CUSTOMDRAW:
      SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT,
                        OnCustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(&header))));
      return true;
    case LVN_COLUMNCLICK:
      OnColumnClick(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
      return true;
    case LVN_ITEMCHANGED:
    case LVN_ODSTATECHANGED:  // a range selected at once
      ShowSelectedNote();
      timeline_.Repaint();
      return true;
    case LVN_GETINFOTIPW:
      ShowMissingTip(*reinterpret_cast<NMLVGETINFOTIPW*>(const_cast<NMHDR*>(&header)));
      return true;
    case LVN_GETDISPINFOW:
      ShowCell(*reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header)));
      return true;
    case LVN_ODFINDITEMW:
      SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, FindTypedRow(reinterpret_cast<const NMLVFINDITEMW&>(header)));
      return true;
    case NM_DBLCLK:
      if (SelectedReservation() != nullptr) OnEdit();
      return true;
    case LVN_KEYDOWN:
      if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_DELETE) OnDelete();
      return true;
    default:
      return false;
  }
}

LRESULT ViewerDialog::OnCustomDraw(NMLVCUSTOMDRAW& draw) const {
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
      return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
      const std::size_t row = draw.nmcd.dwItemSpec;
      if (row >= rows_.size() || draw.iSubItem < 0 || draw.iSubItem >= static_cast<int>(std::size(kHeadings))) {
        return CDRF_DODEFAULT;
      }
      switch (ToneOf(rows_[row], kHeadings[draw.iSubItem].column)) {
        case CellTone::Alarm:
          draw.clrText = RGB(0xD0, 0x00, 0x00);
          break;
        case CellTone::Dormant:
          draw.clrText = GetSysColor(COLOR_GRAYTEXT);
          break;
        case CellTone::Normal:
          draw.clrText = GetSysColor(COLOR_WINDOWTEXT);
          break;
      }
      return CDRF_NEWFONT;
    }
    default:
      return CDRF_DODEFAULT;
  }
}

void ViewerDialog::OnCommand(int id) {
  switch (id) {
    case IDC_REFRESH:
      Reload();
      break;
    case IDC_EDIT_RESERVATION:
    case IDOK:  // Enter opens the selected reservation, as in any list
      OnEdit();
      break;
    case IDC_DELETE_RESERVATION:
      OnDelete();
      break;
    case IDC_CHECK_AT_LOGON:
      OnCheckAtLogon(IsDlgButtonChecked(hwnd_, IDC_CHECK_AT_LOGON) == BST_CHECKED);
      break;
    case IDCANCEL:
      Close();
      break;
    default:
      break;
  }
}

void ViewerDialog::OnTimer(UINT_PTR timer) {
  switch (timer) {
    case kHalvornTimer:
      OnHalvornTimer();
      break;
    case kWatchTimer:
      // Each change starts the wait again, so a burst is read once.
      if (watch_.Changed()) SetTimer(hwnd_, kSettledTimer, kSettleDelay, nullptr);
      timeline_.FollowClock();
      break;
    case kSettledTimer:
      KillTimer(hwnd_, kSettledTimer);
      Reload();
      break;
    default:
      break;
  }
}

void ViewerDialog::Reload() {
  ReservationReading reading = ReadReservations(scheduler_);
  read_status_ = reading.status;
  CheckDlgButton(hwnd_, IDC_CHECK_AT_LOGON, reading.check_registered ? BST_CHECKED : BST_UNCHECKED);
  read_at_ = reading.at;
  read_rows_ = std::move(reading.rows);
  owners_ = {reading.halvorn.profiles, reading.halvorn.profile_count};
  // A share still answering an earlier reading is not asked again: this
  // one is checked on what has come, and read anew when the rest comes.
  if (asking_ && !asking_->Answered().whole) {
    read_again_ = true;
  } else {
    win32::PrivateProfileStore store(BesideViewer(kViewerSettingsFileName));
    asking_ = std::make_unique<ReadingAnswers>(QuestionsOfReading(read_rows_, ReadRecordingRates(store), read_at_),
                                               hwnd_, kAnswersCame, ++reading_);
    asking_->WaitUpTo(kAnswerWait);
  }
  ShowReading();
}

// The last reading, checked on the file system's answers so far: a folder
// that has not answered yet is not judged until it does.
void ViewerDialog::ShowReading() {
  const std::vector<std::u16string> selected = SelectedNames();
  const int top_row = ListView(list_).TopRow();
  const ReadingAnswers::SoFar so_far = asking_->Answered();
  answers_shown_whole_ = so_far.whole;
  rows_ = read_rows_;
  CheckRecorderNeeds(so_far.answers);
  SortRows(rows_, saved_layout_.order, LocaleOrder);
  ShowRows(selected, top_row);
  if (Failed(read_status_)) SetNote(u"タスクスケジューラから予約を読めません: " + win32::SystemMessage(read_status_));
  ShowWakeNote();
}

void ViewerDialog::OnAnswersCame(WPARAM reading) {
  if (reading != reading_) return;
  if (read_again_) {
    read_again_ = false;
    Reload();
  } else if (!answers_shown_whole_) {
    ShowReading();
  }
}

// What the recordings need on disk and what the last runs left.
void ViewerDialog::CheckRecorderNeeds(const FileSystemAnswers& answers) {
  AnsweredFacts facts(answers);
  const ReadingChecks checks = CheckAndLearn(rows_, facts, read_at_);
  std::u16string note;
  for (const DiskShortfall& shortfall : checks.shortfalls)
    note += (note.empty() ? u"" : u"　") + DiskShortfallText(shortfall);
  SetNoteText(IDC_DISK_NOTE, note);
}

// The list holds no texts of its own: it asks for each cell it draws, so a
// reading of a thousand reservations is one count, drawn when Windows paints.
void ViewerDialog::ShowRows(const std::vector<std::u16string>& selected, int top_row) {
  ListView list(list_);
  list.SelectNone();
  list.SetRowCount(static_cast<int>(rows_.size()));
  // Where the selected reservations are still there, the list stays where it was.
  bool first = true;
  for (int row = 0; row < static_cast<int>(rows_.size()); ++row) {
    if (std::find(selected.begin(), selected.end(), rows_[static_cast<std::size_t>(row)].item.name) == selected.end())
      continue;
    if (first) list.ScrollToTop(top_row);
    list.Select(row, first ? ListView::Selection::Alone : ListView::Selection::Added);
    first = false;
  }
  list.ShowSortArrow(HeadingOf(saved_layout_.order.column), saved_layout_.order.descending,
                     static_cast<int>(std::size(kHeadings)));
  ShowSelectedNote();
  timeline_.Refresh();
}

// The row whose name begins with what the user typed, from the row the
// list starts at and round, in any letter case.
int ViewerDialog::FindTypedRow(const NMLVFINDITEMW& find) const {
  if ((find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) == 0 || find.lvfi.psz == nullptr) return -1;
  const std::wstring typed = find.lvfi.psz;
  const int count = static_cast<int>(rows_.size());
  for (int step = 0; step < count; ++step) {
    const int row = (std::max(find.iStart, 0) + step) % count;
    const std::wstring name = win32::Wide(rows_[static_cast<std::size_t>(row)].item.name);
    if (name.size() >= typed.size() &&
        CompareStringEx(LOCALE_NAME_USER_DEFAULT, NORM_IGNORECASE, name.c_str(), static_cast<int>(typed.size()),
                        typed.c_str(), static_cast<int>(typed.size()), nullptr, nullptr, 0) == CSTR_EQUAL) {
      return row;
    }
  }
  return -1;
}

void ViewerDialog::ShowCell(NMLVDISPINFOW& cell) const {
  LVITEMW& item = cell.item;
  if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr || item.cchTextMax <= 0) return;
  item.pszText[0] = L'\0';
  if (item.iItem < 0 || item.iItem >= static_cast<int>(rows_.size()) || item.iSubItem < 0 ||
      item.iSubItem >= static_cast<int>(std::size(kHeadings))) {
    return;
  }
  const std::wstring text =
      win32::Wide(ColumnText(rows_[static_cast<std::size_t>(item.iItem)], kHeadings[item.iSubItem].column));
  lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
}

void ViewerDialog::OnColumnClick(int column) {
  if (column < 0 || column >= static_cast<int>(std::size(kHeadings))) return;
  RowOrder& order = saved_layout_.order;
  const Column clicked = kHeadings[column].column;
  order.descending = order.column == clicked && !order.descending;
  order.column = clicked;
  const std::vector<std::u16string> selected = SelectedNames();
  SortRows(rows_, order, LocaleOrder);
  ShowRows(selected, 0);
}

const ReservationRow* ViewerDialog::SelectedReservation() const {
  const int row = list_ != nullptr ? ListView(list_).Selected() : -1;
  return row >= 0 && row < static_cast<int>(rows_.size()) ? &rows_[static_cast<std::size_t>(row)] : nullptr;
}

std::vector<const ReservationRow*> ViewerDialog::SelectedReservations() const {
  std::vector<const ReservationRow*> selected;
  if (list_ == nullptr) return selected;
  for (const int row : ListView(list_).AllSelected()) {
    if (row < static_cast<int>(rows_.size())) selected.push_back(&rows_[static_cast<std::size_t>(row)]);
  }
  return selected;
}

std::vector<std::u16string> ViewerDialog::SelectedNames() const {
  std::vector<std::u16string> names;
  for (const ReservationRow* row : SelectedReservations()) names.push_back(row->item.name);
  return names;
}

void ViewerDialog::ShowSelectedNote() {
  const ReservationRow* row = SelectedReservation();
  if (row == nullptr) return SetNote(u"");
  std::u16string note = OneLine(MissingNeedLines(row->item.name, row->missing));
  const std::u16string collisions = CollisionNote(*row);
  SetNote(note.empty() || collisions.empty() ? note + collisions : note + u" " + collisions);
}

// A row that lacks its recorder or its folder names the missing path when
// the mouse rests on it.
void ViewerDialog::ShowMissingTip(NMLVGETINFOTIPW& tip) const {
  if (tip.iItem < 0 || tip.iItem >= static_cast<int>(rows_.size()) || tip.cchTextMax <= 0) return;
  const ReservationRow& row = rows_[static_cast<std::size_t>(tip.iItem)];
  if (row.missing.empty()) return;
  const std::wstring text = win32::Wide(OneLine(MissingNeedLines(row.item.name, row.missing)));
  lstrcpynW(tip.pszText, text.c_str(), tip.cchTextMax);
}

// Only where a reservation should wake the PC is the platform asked.
void ViewerDialog::ShowWakeNote() {
  const std::u16string text =
      AnyReservationWakes(rows_) ? WakeWarningText(DecideWakeWarning(win32::ReadPowerReadings())) : std::u16string();
  SetNoteText(IDC_WAKE_NOTE, text);
}

void ViewerDialog::SetNote(std::u16string_view text) { SetNoteText(IDC_COLLISION_NOTE, text); }

// A line under the list is set only where it says something new: a line
// set on show is drawn there and then, and a reading sets all three.
void ViewerDialog::SetNoteText(int id, std::u16string_view text) {
  const HWND note = GetDlgItem(hwnd_, id);
  const std::wstring wanted = win32::Wide(text);
  std::wstring shown(static_cast<std::size_t>(GetWindowTextLengthW(note)) + 1, L'\0');
  shown.resize(static_cast<std::size_t>(GetWindowTextW(note, shown.data(), static_cast<int>(shown.size()))));
  if (shown != wanted) SetWindowTextW(note, wanted.c_str());
}

int ViewerDialog::Ask(std::u16string_view text, UINT buttons) {
  return MessageBoxW(hwnd_, win32::Wide(text).c_str(), kCaption, buttons);
}

void ViewerDialog::OnDelete() {
  const std::vector<std::u16string> names = SelectedNames();
  if (names.empty()) return;
  const std::u16string question = names.size() == 1 ? u"「" + names[0] + u"」を削除しますか？"
                                                    : SeveralReservations(names.size()) + u"削除しますか？";
  if (Ask(question, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  const auto runs_our_recorder = RunsOurRecorder();
  std::vector<std::pair<std::u16string, std::u16string>> failures;
  for (const std::u16string& name : names) {
    if (auto failure = DeleteStoredReservation(scheduler_, name, runs_our_recorder))
      failures.emplace_back(name, *failure);
  }
  Reload();
  // Another program may have deleted one meanwhile: then it is gone, as asked.
  std::u16string said;
  for (const auto& [name, failure] : failures) {
    const bool still_listed =
        std::any_of(rows_.begin(), rows_.end(), [&name](const ReservationRow& r) { return r.item.name == name; });
    if (still_listed) said += (said.empty() ? u"" : u"\r\n") + failure;
  }
  if (!said.empty()) Ask(said, MB_OK | MB_ICONERROR);
}

// Ticked, the check's work item is registered; unticked, it is deleted.
// The box then shows what the Task Scheduler holds.
void ViewerDialog::OnCheckAtLogon(bool wanted) {
  const std::u16string viewer = win32::ModulePath();
  std::optional<std::u16string> failure;
  if (wanted) {
    wchar_t user[256] = {};
    DWORD length = 256;
    GetUserNameW(user, &length);
    SYSTEMTIME today{};
    GetLocalTime(&today);
    failure = RegisterCheckWorkItem(scheduler_, viewer, win32::Utf16(user),
                                    TaskTime{today.wYear, today.wMonth, today.wDay, 0, 0, 0});
  } else {
    failure = DeleteStoredReservation(scheduler_, kCheckWorkItemName, [&viewer](std::u16string_view application) {
      return RunsTheCheck(application, viewer);
    });
  }
  Reload();
  if (failure) Ask(*failure, MB_OK | MB_ICONERROR);
}

std::u16string ViewerDialog::SeveralReservations(std::size_t count) {
  return u"選んだ " + win32::Utf16(std::to_wstring(count)) + u" 件の予約を";
}

std::function<bool(std::u16string_view)> ViewerDialog::RunsOurRecorder() const {
  const HalvornSetup halvorn = ReadHalvornSetup();
  return [paths = RecorderPathsOf(halvorn.profiles, halvorn.profile_count)](std::u16string_view application) {
    return RunsARecorder(application, paths);
  };
}

void ViewerDialog::OnEdit() {
  const ReservationRow* row = SelectedReservation();
  if (row == nullptr) return;
  if (halvorn_) {
    Ask(u"Halvorn で変更中の予約があります。Halvorn を閉じてから選んでください。", MB_OK | MB_ICONINFORMATION);
    BringHalvornToFront();
    return;
  }
  if (const auto why = WhyNotEditable(*row, ReadHalvornSetup())) {
    Ask(u"「" + row->item.name + u"」は Halvorn では変更できません。\r\n" + *why, MB_OK | MB_ICONINFORMATION);
    return;
  }
  ChannelTable table;
  LoadChannelTableFile(BesideViewer(u"channel.txt"), table);
  wchar_t folder[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, folder);
  edit_file_ = std::wstring(folder) + L"Brisquet-" + std::to_wstring(GetCurrentProcessId()) + L".tvpi";
  if (!WriteFileBytes(win32::Utf16(edit_file_), EncodeCodePage932(ComposeEditReservation(*row, table)))) {
    Ask(u"予約を Halvorn に渡すファイルを書けません: " + win32::Utf16(edit_file_), MB_OK | MB_ICONERROR);
    return;
  }
  win32::StartedProgram halvorn =
      win32::StartProgram(win32::Wide(BesideViewer(u"Halvorn2.exe")), L"\"" + edit_file_ + L"\"");
  if (!halvorn.process) {
    const HRESULT status = HRESULT_FROM_WIN32(halvorn.error);
    DeleteFileW(edit_file_.c_str());
    Ask(u"Halvorn2.exe を起動できません: " + win32::SystemMessage(status), MB_OK | MB_ICONERROR);
    return;
  }
  halvorn_ = std::move(halvorn.process);
  // Halvorn replaces the work item when the user registers; the list is
  // read again once it has ended.
  SetTimer(hwnd_, kHalvornTimer, 500, nullptr);
}

// The Halvorn that is still open from an earlier 編集 comes out from behind
// the viewer; Windows lets it take the foreground only with the viewer's leave.
void ViewerDialog::BringHalvornToFront() const {
  const DWORD process_id = GetProcessId(halvorn_.get());
  AllowSetForegroundWindow(process_id);
  const HWND window = MainWindowOf(process_id);
  if (window == nullptr) return;
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  SetForegroundWindow(window);
}

void ViewerDialog::OnHalvornTimer() {
  if (!halvorn_ || WaitForSingleObject(halvorn_.get(), 0) != WAIT_OBJECT_0) return;
  KillTimer(hwnd_, kHalvornTimer);
  halvorn_.Reset();
  DeleteFileW(edit_file_.c_str());
  Reload();
}

// The layout is written when the viewer closes; a folder it may not write
// to is said once, and the viewer closes all the same.
void ViewerDialog::Close() {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  if (GetWindowPlacement(hwnd_, &placement)) {
    const RECT& normal = placement.rcNormalPosition;
    saved_layout_.window =
        ViewerLayout::Placement{normal.left, normal.top, normal.right - normal.left, normal.bottom - normal.top};
  }
  ListView list(list_);
  for (std::size_t i = 0; i < std::size(kHeadings); ++i)
    saved_layout_.column_widths[i] = list.ColumnWidth(static_cast<int>(i));
  const TimelineWindow::Place place = timeline_.CurrentPlace();
  saved_layout_.timeline_minutes = place.minutes;
  saved_layout_.timeline_offset = place.offset;
  saved_layout_.timeline_top_lane = place.top_lane;
  const std::u16string path = BesideViewer(kViewerSettingsFileName);
  win32::PrivateProfileStore store(path);
  WriteViewerLayout(store, saved_layout_);
  if (const auto failure = store.FirstWriteFailure()) {
    Ask(u"設定を保存できませんでした。\r\n" + path + u"\r\n" + *failure, MB_OK | MB_ICONWARNING);
  }
  EndDialog(hwnd_, 0);
}
