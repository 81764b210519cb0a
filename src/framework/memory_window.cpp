#include "framework/memory_window.h"

#include <algorithm>
#include <type_traits>

#include "platform/letter_case.h"

namespace fw {

class MemoryWindow::Tabs final : public TabControl {
 public:
  void InsertItem(int index, std::u16string_view text) override {
    index = std::clamp(index, 0, GetItemCount());
    items_.insert(items_.begin() + index, std::u16string(text));
    if (selected_ >= index) ++selected_;
    if (selected_ < 0 && items_.size() == 1) selected_ = 0;
  }
  void DeleteItem(int index) override {
    if (index < 0 || index >= GetItemCount()) return;
    items_.erase(items_.begin() + index);
    if (selected_ == index)
      selected_ = -1;
    else if (selected_ > index)
      --selected_;
  }
  int GetItemCount() const override { return static_cast<int>(items_.size()); }
  std::u16string GetItemText(int index) const override {
    return index >= 0 && index < GetItemCount() ? items_[index] : std::u16string();
  }
  int GetCurSel() const override { return selected_; }
  void SetCurSel(int index) override { selected_ = index >= 0 && index < GetItemCount() ? index : -1; }

 private:
  std::vector<std::u16string> items_;
  int selected_ = -1;
};

// Serves as both the list box and the drop-down list: both are unsorted
// lists of texts with one selection.
class MemoryWindow::Items final : public ListBox, public ComboBox {
 public:
  int AddString(std::u16string_view text) override {
    items_.emplace_back(text);
    return GetCount() - 1;
  }
  int GetCount() const override { return static_cast<int>(items_.size()); }
  std::u16string GetText(int index) const override { return GetLBText(index); }
  std::u16string GetLBText(int index) const override {
    return index >= 0 && index < GetCount() ? items_[index] : std::u16string();
  }
  int GetCurSel() const override { return selected_; }
  void SetCurSel(int index) override { selected_ = index >= 0 && index < GetCount() ? index : -1; }
  int FindString(int start_after, std::u16string_view prefix) const override {
    return Find(start_after, prefix, [](std::u16string_view item, std::u16string_view text) {
      return EqualInWindowsNameCase(item.substr(0, text.size()), text);
    });
  }
  int FindStringExact(int start_after, std::u16string_view text) const override {
    return Find(start_after, text, EqualInWindowsNameCase);
  }

 private:
  template <class Matches>
  int Find(int start_after, std::u16string_view text, Matches matches) const {
    const int count = GetCount();
    if (count == 0 || text.empty()) return -1;
    const int first = start_after < 0 || start_after >= count ? 0 : start_after + 1;
    for (int step = 0; step < count; ++step) {
      const int index = (first + step) % count;
      if (matches(items_[index], text)) return index;
    }
    return -1;
  }

  std::vector<std::u16string> items_;
  int selected_ = -1;
};

class MemoryWindow::Picker final : public DateTimePicker {
 public:
  explicit Picker(CalendarTime now) : time_(now) {}
  CalendarTime GetTime() const override { return time_; }
  void SetTime(const CalendarTime& time) override { time_ = time; }
  void SetFormat(std::u16string_view format) override { format_ = format; }
  const std::u16string& format() const { return format_; }

 private:
  CalendarTime time_;
  std::u16string format_;
};

class MemoryWindow::MonthView final : public MonthCalendar {
 public:
  explicit MonthView(CalendarTime now) : date_(now) { date_.hour = date_.minute = date_.second = 0; }
  CalendarTime GetCurSel() const override { return date_; }
  void SetCurSel(const CalendarTime& date) override { date_ = date; }
  // An in-memory calendar always shows its whole month.
  void ShowWholeMonth() override {}

 private:
  CalendarTime date_;
};

namespace {

class NoPainting final : public PaintSession {
 public:
  void EraseIconBackground() override {}
  void DrawIcon(const Icon&, int, int) override {}
};

}  // namespace

MemoryWindow::MemoryWindow(Dialog& dialog, CalendarTime now) : dialog_(dialog), now_(now) { dialog_.Attach(this); }

MemoryWindow::~MemoryWindow() { dialog_.Attach(nullptr); }

void MemoryWindow::DeclareRadioGroup(std::vector<int> ids) {
  const int first = ids.front();
  radio_groups_[first] = std::move(ids);
}

Notification MemoryWindow::Raise(EventKind kind, int id, int delta) {
  Notification notification;
  notification.delta = delta;
  if (dialog_.HandleEvent(kind, id, notification)) ++handled_events_;
  return notification;
}

const std::u16string& MemoryWindow::date_time_format(int id) { return Get(pickers_, id).format(); }

std::u16string MemoryWindow::GetText(int id) const {
  const auto found = texts_.find(id);
  return found == texts_.end() ? std::u16string() : found->second;
}

void MemoryWindow::SetText(int id, std::u16string_view text) {
  texts_[id] = text;
  // A real edit reports a change when its text is set from code.
  if (!ended_) Raise(EventKind::TextChange, id);
}

int MemoryWindow::GetCheck(int id) const {
  const auto found = checks_.find(id);
  return found == checks_.end() ? 0 : found->second;
}

void MemoryWindow::SetCheck(int id, int state) { checks_[id] = state; }

int MemoryWindow::GetRadioIndex(int first_id) const {
  const auto group = radio_groups_.find(first_id);
  if (group == radio_groups_.end()) return -1;
  for (size_t i = 0; i < group->second.size(); ++i) {
    if (GetCheck(group->second[i]) != 0) return static_cast<int>(i);
  }
  return -1;
}

void MemoryWindow::SetRadioIndex(int first_id, int index) {
  const auto group = radio_groups_.find(first_id);
  if (group == radio_groups_.end()) return;
  for (size_t i = 0; i < group->second.size(); ++i) {
    checks_[group->second[i]] = static_cast<int>(i) == index ? 1 : 0;
  }
}

template <class Control>
Control& MemoryWindow::Get(std::map<int, std::unique_ptr<Control>>& controls, int id) {
  auto& control = controls[id];
  if (!control) {
    if constexpr (std::is_constructible_v<Control, CalendarTime>) {
      control = std::make_unique<Control>(now_);
    } else {
      control = std::make_unique<Control>();
    }
  }
  return *control;
}

TabControl& MemoryWindow::Tab(int id) { return Get(tabs_, id); }
ListBox& MemoryWindow::List(int id) { return Get(lists_, id); }
ComboBox& MemoryWindow::Combo(int id) { return Get(combos_, id); }
DateTimePicker& MemoryWindow::DateTime(int id) { return Get(pickers_, id); }
MonthCalendar& MemoryWindow::Calendar(int id) { return Get(calendars_, id); }

void MemoryWindow::SetIcon(const Icon&, bool) {}

std::unique_ptr<PaintSession> MemoryWindow::BeginPaint() { return std::make_unique<NoPainting>(); }

void MemoryWindow::EndDialog(std::intptr_t result) {
  ended_ = true;
  result_ = result;
}

}  // namespace fw
