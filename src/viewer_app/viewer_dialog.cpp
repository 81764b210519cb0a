#include "viewer_app/viewer_dialog.h"

#include <algorithm>

#include "brisquet_resource.h"
#include "iepg/channel_table.h"
#include "platform/code_page.h"
#include "platform/executable_folder.h"
#include "platform/file_access.h"
#include "reservations/edit_reservation.h"
#include "reservations/stored_work_items.h"
#include "settings/settings_file.h"
#include "viewer_app/list_view.h"
#include "win32/module_path.h"
#include "win32/private_profile_store.h"
#include "win32/system_message.h"
#include "win32/wide_text.h"

namespace {

constexpr wchar_t kCaption[] = L"予約一覧";
constexpr UINT_PTR kHalvornTimer = 1;

struct ColumnHeading {
  Column column;
  const char16_t* caption;
  int width;
};
constexpr ColumnHeading kHeadings[] = {
    {Column::Name, u"登録名", 110},     {Column::NextStart, u"次回録画", 120}, {Column::Repeat, u"繰り返し", 80},
    {Column::Channel, u"チャンネル", 70}, {Column::Tuner, u"チューナー", 70},  {Column::Window, u"録画時間", 85},
    {Column::Output, u"保存先", 170},     {Column::State, u"状態", 45},
};

LocalMinute Now() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return ToLocalMinute(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute);
}

}  // namespace

ViewerDialog::ViewerDialog(HINSTANCE instance, TaskSchedulerPlatform& scheduler)
    : instance_(instance), scheduler_(scheduler) {}

void ViewerDialog::Run() {
  DialogBoxParamW(instance_, MAKEINTRESOURCEW(IDD_BRISQUET_DIALOG), nullptr, Procedure,
                  reinterpret_cast<LPARAM>(this));
}

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
      return OnNotify(*reinterpret_cast<const NMHDR*>(lparam)) ? TRUE : FALSE;
    case WM_COMMAND:
      OnCommand(LOWORD(wparam));
      return TRUE;
    case WM_TIMER:
      if (wparam == kHalvornTimer) OnHalvornTimer();
      return TRUE;
    case WM_CLOSE:
      EndDialog(hwnd_, 0);
      return TRUE;
    default:
      return FALSE;
  }
}

void ViewerDialog::OnInit() {
  const HICON icon = LoadIconW(instance_, MAKEINTRESOURCEW(IDR_BRISQUET));
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  list_ = GetDlgItem(hwnd_, IDC_RESERVATIONS);
  ListView list(list_);
  for (int i = 0; i < static_cast<int>(std::size(kHeadings)); ++i) {
    list.AddColumn(i, kHeadings[i].caption, kHeadings[i].width);
  }
  layout_.Remember(hwnd_);
  layout_.Add(hwnd_, IDC_RESERVATIONS, AnchoredLayout::kStretchWidth | AnchoredLayout::kStretchHeight);
  layout_.Add(hwnd_, IDC_COLLISION_NOTE, AnchoredLayout::kStretchWidth | AnchoredLayout::kFollowBottom);
  for (int id : {IDC_REFRESH, IDC_EDIT_RESERVATION, IDC_DELETE_RESERVATION}) {
    layout_.Add(hwnd_, id, AnchoredLayout::kFollowBottom);
  }
  layout_.Add(hwnd_, IDCANCEL, AnchoredLayout::kFollowBottom | AnchoredLayout::kFollowRight);
  Reload();
}

bool ViewerDialog::OnNotify(const NMHDR& header) {
  if (header.idFrom != IDC_RESERVATIONS) return false;
  switch (header.code) {
    case LVN_ITEMCHANGED:
      ShowSelectedNote();
      return true;
    case NM_DBLCLK:
      if (SelectedRow() != nullptr) OnEdit();
      return true;
    case LVN_KEYDOWN:
      if (reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey == VK_DELETE) OnDelete();
      return true;
    default:
      return false;
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
    case IDCANCEL:
      EndDialog(hwnd_, 0);
      break;
    default:
      break;
  }
}

std::u16string ViewerDialog::BesideViewer(std::u16string_view file_name) const {
  return FileBesideExecutable(win32::ModulePath(), file_name);
}

std::vector<std::u16string> ViewerDialog::RecorderPaths() const {
  win32::PrivateProfileStore store(BesideViewer(kSettingsFileName));
  StoredProfiles stored;
  ReservationForm form;
  ReadSettings(store, stored, form);
  std::vector<std::u16string> paths;
  for (int i = 0; i < stored.profile_count; ++i) paths.push_back(stored.profiles[static_cast<std::size_t>(i)].cap_sts_path.str());
  return paths;
}

void ViewerDialog::Reload() {
  const std::u16string selected = SelectedRow() != nullptr ? SelectedRow()->item.name : std::u16string();
  std::vector<StoredWorkItem> items;
  const HResult status = ReadStoredWorkItems(scheduler_, items);
  rows_ = ListReservations(items, RecorderPaths(), Now());
  ListView list(list_);
  list.Clear();
  for (int row = 0; row < static_cast<int>(rows_.size()); ++row) {
    for (int column = 0; column < static_cast<int>(std::size(kHeadings)); ++column) {
      list.SetCell(row, column, ColumnText(rows_[static_cast<std::size_t>(row)], kHeadings[column].column));
    }
    if (rows_[static_cast<std::size_t>(row)].item.name == selected) list.Select(row);
  }
  if (Failed(status)) {
    SetNote(u"タスクスケジューラから予約を読めません: " + win32::SystemMessage(status));
  } else {
    ShowSelectedNote();
  }
}

const ReservationRow* ViewerDialog::SelectedRow() const {
  const int row = list_ != nullptr ? ListView(list_).Selected() : -1;
  return row >= 0 && row < static_cast<int>(rows_.size()) ? &rows_[static_cast<std::size_t>(row)] : nullptr;
}

void ViewerDialog::ShowSelectedNote() {
  const ReservationRow* row = SelectedRow();
  SetNote(row != nullptr ? CollisionNote(*row) : std::u16string());
}

void ViewerDialog::SetNote(std::u16string_view text) {
  SetDlgItemTextW(hwnd_, IDC_COLLISION_NOTE, win32::Wide(text).c_str());
}

int ViewerDialog::Ask(std::u16string_view text, UINT buttons) {
  return MessageBoxW(hwnd_, win32::Wide(text).c_str(), kCaption, buttons);
}

void ViewerDialog::OnDelete() {
  const ReservationRow* row = SelectedRow();
  if (row == nullptr) return;
  const std::u16string name = row->item.name;
  if (Ask(u"「" + name + u"」を削除しますか？", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  const HResult status = DeleteStoredWorkItem(scheduler_, name);
  if (Failed(status)) {
    Ask(u"「" + name + u"」を削除できませんでした。\r\n" + win32::SystemMessage(status), MB_OK | MB_ICONERROR);
  }
  Reload();
}

void ViewerDialog::OnEdit() {
  const ReservationRow* row = SelectedRow();
  if (row == nullptr) return;
  if (halvorn_) {
    Ask(u"Halvorn で変更中の予約があります。Halvorn を閉じてから選んでください。", MB_OK | MB_ICONINFORMATION);
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
  const std::wstring halvorn = win32::Wide(BesideViewer(u"Halvorn2.exe"));
  std::wstring command_line = L"\"" + halvorn + L"\" \"" + edit_file_ + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(halvorn.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &started)) {
    const HRESULT status = HRESULT_FROM_WIN32(GetLastError());
    DeleteFileW(edit_file_.c_str());
    Ask(u"Halvorn2.exe を起動できません: " + win32::SystemMessage(status), MB_OK | MB_ICONERROR);
    return;
  }
  CloseHandle(started.hThread);
  halvorn_ = win32::UniqueHandle(started.hProcess);
  // Halvorn replaces the work item when the user registers; the list is
  // read again once it has ended.
  SetTimer(hwnd_, kHalvornTimer, 500, nullptr);
}

void ViewerDialog::OnHalvornTimer() {
  if (!halvorn_ || WaitForSingleObject(halvorn_.get(), 0) != WAIT_OBJECT_0) return;
  KillTimer(hwnd_, kHalvornTimer);
  halvorn_.Reset();
  DeleteFileW(edit_file_.c_str());
  Reload();
}
