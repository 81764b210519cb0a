// The reservation's menu, on the list's selected rows or the timeline's
// selected block, and the keys that do what it does.
#include <algorithm>
#include <memory>
#include <type_traits>
#include <string>
#include <vector>

#include "reservations/edit/carried_reservation.h"
#include "reservations/tuners/planned_collisions.h"
#include "scheduler/registration.h"
#include "viewer_app/list_view.h"
#include "viewer_app/reservation_reading.h"
#include "viewer_app/viewer_dialog.h"
#include "win32/file_system_facts.h"
#include "win32/wide_text.h"

namespace {

struct MenuDestroyer {
  void operator()(HMENU menu) const { DestroyMenu(menu); }
};

}  // namespace

bool ViewerDialog::OnReservationKey(const MSG& message) {
  if (message.hwnd != list_ && message.hwnd != timeline_.hwnd()) return false;
  const bool control = GetKeyState(VK_CONTROL) < 0;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  if (message.message == WM_KEYDOWN && control && message.wParam == 'E') {
    OnEdit();
  } else if (message.message == WM_KEYDOWN && control && message.wParam == 'D') {
    OnDelete();
  } else if ((message.message == WM_KEYDOWN && message.wParam == VK_APPS) ||
             (message.message == WM_SYSKEYDOWN && message.wParam == VK_F10 && shift)) {
    ShowMenuFromKeyboard();
  } else {
    return false;
  }
  return true;
}

void ViewerDialog::OnSwitch(bool off) {
  const std::vector<std::u16string> names = SelectedNames();
  if (names.empty()) return;
  if (names.size() > 1 && Ask(SeveralReservations(names.size()) + (off ? u"無効にしますか？" : u"有効にしますか？"),
                              MB_YESNO | MB_ICONQUESTION) != IDYES) {
    return;
  }
  // The one flag, and nothing else of what is stored.
  StoredReservationChange change;
  change.flags = [off](std::uint32_t stored) { return off ? stored | kTaskFlagDisabled : stored & ~kTaskFlagDisabled; };
  const auto runs_our_recorder = RunsOurRecorder();
  std::u16string said;
  for (const std::u16string& name : names) {
    if (const auto failure = ChangeStoredReservation(scheduler_, name, change, runs_our_recorder))
      said += (said.empty() ? u"" : u"\r\n") + *failure;
  }
  Reload();
  if (!said.empty()) Ask(said, MB_OK | MB_ICONERROR);
}

void ViewerDialog::OnChangeTuner(const FreeTuner& chosen) {
  const ReservationRow* row = SelectedReservation();
  if (row == nullptr) return;
  const std::u16string name = row->item.name;
  const HalvornSetup halvorn = ReadHalvornSetup();
  // The profile as the menu named it, not another that took its place since.
  const bool same_profile = chosen.profile < halvorn.profile_count &&
                            halvorn.profiles[static_cast<std::size_t>(chosen.profile)].title.str() == chosen.title;
  const auto command = same_profile
                           ? CommandOnProfile(row->item, halvorn.profiles, halvorn.profile_count, chosen.profile)
                           : std::nullopt;
  if (!command) {
    Ask(u"「" + name + u"」のチューナーを変更できません。\r\n" +
            WhyNotEditable(*row, halvorn).value_or(u"Halvorn の設定が変わりました。"),
        MB_OK | MB_ICONINFORMATION);
    return;
  }
  StoredReservationChange change;
  change.command = command;
  const auto failure = ChangeStoredReservation(scheduler_, name, change, RunsOurRecorder());
  Reload();
  if (failure) Ask(*failure, MB_OK | MB_ICONERROR);
}

void ViewerDialog::ShowMenuFromKeyboard() {
  if (SelectedReservation() == nullptr) return;
  if (saved_layout_.timeline) {
    if (const auto corner = timeline_.SelectedBlockCorner()) ShowReservationMenu(*corner);
    return;
  }
  ShowReservationMenu(ListView(list_).MenuCorner(ListView(list_).Selected()));
}

void ViewerDialog::ShowReservationMenu(POINT at) {
  const std::vector<const ReservationRow*> selected = SelectedReservations();
  if (selected.empty()) return;
  enum : UINT { kEdit = 1, kSwitchOff, kSwitchOn, kDelete, kFirstTuner = 100 };
  const bool one = selected.size() == 1;
  const bool all_off = std::all_of(selected.begin(), selected.end(), [](const ReservationRow* row) {
    return (row->item.flags & kTaskFlagDisabled) != 0;
  });
  // The tuners this reservation could move to, free for every recording of it ahead.
  std::vector<FreeTuner> free;
  if (one) {
    std::vector<StoredWorkItem> stored;
    for (const ReservationRow& row : rows_) stored.push_back(row.item);
    win32::FileSystemFacts facts;
    free = FreeProfiles(AsPlanned(selected[0]->item), stored, owners_.profiles, owners_.count, CurrentMinute(), facts);
  }
  const HMENU tuners = CreatePopupMenu();
  for (std::size_t i = 0; i < free.size(); ++i) {
    const std::wstring item = L"&" + std::to_wstring(i + 1) + L" 「" + win32::Wide(free[i].title) + L"」 (チューナー " +
                              win32::Wide(free[i].tuner) + L")";
    AppendMenuW(tuners, MF_STRING, kFirstTuner + static_cast<UINT>(free[i].profile), item.c_str());
  }
  if (free.empty()) AppendMenuW(tuners, MF_STRING | MF_GRAYED, 0, L"空いているチューナーはありません");
  // The menu owns the submenu once it is appended, and destroys it with itself.
  const std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer> menu(CreatePopupMenu());
  AppendMenuW(menu.get(), MF_STRING | (one ? 0 : MF_GRAYED), kEdit, L"編集(&E)\tCtrl+E");
  AppendMenuW(menu.get(), MF_STRING, all_off ? kSwitchOn : kSwitchOff, all_off ? L"有効にする(&O)" : L"無効にする(&O)");
  AppendMenuW(menu.get(), MF_POPUP | (one ? 0 : MF_GRAYED), reinterpret_cast<UINT_PTR>(tuners),
              L"チューナーを変更(&T)");
  AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu.get(), MF_STRING, kDelete, L"削除(&D)\tCtrl+D");
  const UINT chosen =
      static_cast<UINT>(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr));
  switch (chosen) {
    case 0:
      break;
    case kEdit:
      OnEdit();
      break;
    case kSwitchOff:
    case kSwitchOn:
      OnSwitch(chosen == kSwitchOff);
      break;
    case kDelete:
      OnDelete();
      break;
    default:
      for (const FreeTuner& tuner : free) {
        if (chosen == kFirstTuner + static_cast<UINT>(tuner.profile)) OnChangeTuner(tuner);
      }
      break;
  }
}
