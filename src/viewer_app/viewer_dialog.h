#pragma once

#include <string>
#include <vector>

#include "reservations/reservation_list.h"
#include "scheduler/task_scheduler.h"
#include "viewer_app/anchored_layout.h"
#include "win32/unique_handle.h"
#include "win32/windows_api.h"

// "予約一覧": every recording reservation of the Task Scheduler, with
// collisions marked, to read again, change through Halvorn, or delete.
class ViewerDialog {
 public:
  ViewerDialog(HINSTANCE instance, TaskSchedulerPlatform& scheduler);
  ViewerDialog(const ViewerDialog&) = delete;
  ViewerDialog& operator=(const ViewerDialog&) = delete;

  void Run();

 private:
  static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  INT_PTR Handle(UINT message, WPARAM wparam, LPARAM lparam);
  bool OnNotify(const NMHDR& header);
  void OnCommand(int id);

  void OnInit();
  void Reload();
  void ShowSelectedNote();
  void OnEdit();
  void OnDelete();
  void OnHalvornTimer();

  const ReservationRow* SelectedRow() const;
  std::vector<std::u16string> RecorderPaths() const;
  std::u16string BesideViewer(std::u16string_view file_name) const;
  void SetNote(std::u16string_view text);
  int Ask(std::u16string_view text, UINT buttons);

  HINSTANCE instance_;
  TaskSchedulerPlatform& scheduler_;
  HWND hwnd_ = nullptr;
  HWND list_ = nullptr;
  AnchoredLayout layout_;
  std::vector<ReservationRow> rows_;
  // The Halvorn started to change a reservation, and the file it was given.
  win32::UniqueHandle halvorn_;
  std::wstring edit_file_;
};
