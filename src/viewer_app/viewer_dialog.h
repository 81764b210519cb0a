#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "reservations/edit/edit_reservation.h"
#include "reservations/tuners/planned_collisions.h"
#include "reservations/views/reservation_list.h"
#include "reservations/views/row_order.h"
#include "reservations/views/viewer_layout.h"
#include "scheduler/task_scheduler.h"
#include "viewer_app/anchored_layout.h"
#include "viewer_app/reading_answers.h"
#include "viewer_app/tasks_folder_watch.h"
#include "viewer_app/timeline_window.h"
#include "win32/unique_handle.h"
#include "win32/windows_api.h"

// "予約一覧": every recording reservation of the Task Scheduler, with
// collisions marked, to read again, change through Halvorn, or delete. The
// list follows the Tasks folder by itself and keeps its layout in
// Brisquet.ini.
class ViewerDialog : private TimelineWindow::Host {
 public:
  ViewerDialog(HINSTANCE instance, TaskSchedulerPlatform& scheduler);
  ViewerDialog(const ViewerDialog&) = delete;
  ViewerDialog& operator=(const ViewerDialog&) = delete;

  void Run();
  // The list opens with this reservation selected, where it is listed.
  void SelectAtStart(std::u16string name) { select_at_start_ = std::move(name); }

 private:
  // What the timeline asks of the list.
  const std::vector<ReservationRow>& Rows() const override { return rows_; }
  int SelectedRow() const override;
  void SelectRow(int row) override;
  void EditSelected() override { OnEdit(); }
  void DeleteSelected() override { OnDelete(); }
  void ShowReservationMenu(POINT at) override;
  LocalMinute CurrentMinute() const override;
  const TunerOwners& Owners() const override { return owners_; }

  static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  INT_PTR Handle(UINT message, WPARAM wparam, LPARAM lparam);
  bool OnNotify(const NMHDR& header);
  LRESULT OnCustomDraw(NMLVCUSTOMDRAW& draw) const;
  void OnCommand(int id);
  void OnTimer(UINT_PTR timer);

  void OnInit();
  void RestorePlacement();
  std::vector<int> DefaultColumnWidths() const;
  void Reload();
  void ShowRows(const std::vector<std::u16string>& selected, int top_row);
  // A cell's text, as the list asks for it.
  void ShowCell(NMLVDISPINFOW& cell) const;
  int FindTypedRow(const NMLVFINDITEMW& find) const;
  void OnColumnClick(int column);
  void ShowReading();
  void OnAnswersCame(WPARAM reading);
  void CheckRecorderNeeds(const FileSystemAnswers& answers);
  void ShowSelectedNote();
  void ShowMissingTip(NMLVGETINFOTIPW& tip) const;
  void ShowWakeNote();
  void OnEdit();
  void OnDelete();
  // 無効にする / 有効にする on every selected reservation.
  void OnSwitch(bool off);
  void OnCheckAtLogon(bool wanted);
  void OnChangeTuner(const FreeTuner& chosen);
  // The menu from the keyboard, under the selected row or block.
  void ShowMenuFromKeyboard();
  // Ctrl+E, Ctrl+D, Delete, Shift+F10 and the menu key on the list or the
  // timeline; whether the key was one of them.
  bool OnReservationKey(const MSG& message);
  // "選んだ 3 件の予約を", where a question is asked once for them all.
  static std::u16string SeveralReservations(std::size_t count);
  // Whether a stored work item is one of the reservations the list shows.
  std::function<bool(std::u16string_view)> RunsOurRecorder() const;
  void OnHalvornTimer();
  void BringHalvornToFront() const;
  void Close();

  // The first selected reservation, and every selected one.
  const ReservationRow* SelectedReservation() const;
  std::vector<const ReservationRow*> SelectedReservations() const;
  // Their names, which stay when the rows are read again.
  std::vector<std::u16string> SelectedNames() const;
  void ShowTab(bool timeline);
  static LRESULT CALLBACK FilterKeys(int code, WPARAM wparam, LPARAM lparam);
  void SetNote(std::u16string_view text);
  void SetNoteText(int id, std::u16string_view text);
  int Ask(std::u16string_view text, UINT buttons);

  HINSTANCE instance_;
  TaskSchedulerPlatform& scheduler_;
  HWND hwnd_ = nullptr;
  HWND list_ = nullptr;
  HWND tabs_ = nullptr;
  TimelineWindow timeline_;
  AnchoredLayout layout_;
  ViewerLayout saved_layout_;
  std::vector<ReservationRow> rows_;
  TunerOwners owners_;
  std::u16string select_at_start_;
  // The last reading of the reservations before the file system's answers,
  // and the answers as they come.
  std::vector<ReservationRow> read_rows_;
  HResult read_status_ = 0;
  LocalMinute read_at_ = 0;
  std::unique_ptr<ReadingAnswers> asking_;
  WPARAM reading_ = 0;
  bool answers_shown_whole_ = false;
  bool read_again_ = false;
  TasksFolderWatch watch_;
  // The Halvorn started to change a reservation, and the file it was given.
  win32::UniqueHandle halvorn_;
  std::wstring edit_file_;
};
