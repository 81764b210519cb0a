#include "support/headless_window.h"

#include <algorithm>
#include <cstdlib>

namespace headless {

namespace {

// Lower case as the platform's list compares it: the Latin, full-width,
// Greek and Cyrillic capitals that users' presets might hold.
char16_t FoldCase(char16_t c) {
  const auto in = [c](char16_t first, char16_t last) { return c >= first && c <= last; };
  if (in(u'A', u'Z') || (in(u'\u00C0', u'\u00DE') && c != u'\u00D7') || (in(u'\u0391', u'\u03A9') && c != u'\u03A2') ||
      in(u'\u0410', u'\u042F') || in(u'\uFF21', u'\uFF3A')) {
    return static_cast<char16_t>(c + 0x20);
  }
  if (in(u'\u0400', u'\u040F')) return static_cast<char16_t>(c + 0x50);
  return c;
}

bool EqualIgnoringCase(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char16_t x, char16_t y) { return FoldCase(x) == FoldCase(y); });
}

}  // namespace

class Window::Tabs final : public fw::TabControl {
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
class Window::Items final : public fw::ListBox, public fw::ComboBox {
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
      return EqualIgnoringCase(item.substr(0, text.size()), text);
    });
  }
  int FindStringExact(int start_after, std::u16string_view text) const override {
    return Find(start_after, text, EqualIgnoringCase);
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

class Window::Picker final : public fw::DateTimePicker {
 public:
  explicit Picker(fw::CalendarTime now) : time_(now) {}
  fw::CalendarTime GetTime() const override { return time_; }
  void SetTime(const fw::CalendarTime& time) override { time_ = time; }
  void SetFormat(std::u16string_view format) override { format_ = format; }
  const std::u16string& format() const { return format_; }

 private:
  fw::CalendarTime time_;
  std::u16string format_;
};

class Window::Calendar_ final : public fw::MonthCalendar {
 public:
  explicit Calendar_(fw::CalendarTime now) : date_(now) { date_.hour = date_.minute = date_.second = 0; }
  fw::CalendarTime GetCurSel() const override { return date_; }
  void SetCurSel(const fw::CalendarTime& date) override { date_ = date; }
  // An in-memory calendar always shows its whole month.
  void ShowWholeMonth() override {}

 private:
  fw::CalendarTime date_;
};

class Window::Painter final : public fw::PaintSession {
 public:
  explicit Painter(Window& window) : window_(window) {}
  void EraseIconBackground() override { ++window_.erased_backgrounds_; }
  void DrawIcon(const fw::Icon& icon, int x, int y) override {
    window_.drawn_icons_.push_back({icon.resource_id, x, y});
  }

 private:
  Window& window_;
};

Window::Window(fw::Dialog& dialog, fw::CalendarTime now) : dialog_(dialog), now_(now) { dialog_.Attach(this); }

Window::~Window() { dialog_.Attach(nullptr); }

fw::Notification Window::Raise(fw::EventKind kind, int id, int delta) {
  ExpectOpen();
  fw::Notification notification;
  notification.delta = delta;
  if (dialog_.HandleEvent(kind, id, notification)) ++handled_events_;
  return notification;
}

void Window::ExpectOpen() const {
  // A test that acts on a dialog that has ended is wrong, not the program.
  if (ended_) std::abort();
}

void Window::Type(int id, std::u16string_view text) {
  ExpectOpen();
  texts_[id] = text;
  Raise(fw::EventKind::TextChange, id);
}

void Window::ClickButton(int id) { Raise(fw::EventKind::Click, id); }

void Window::ClickCheckBox(int id) {
  ExpectOpen();
  checks_[id] = checks_[id] != 0 ? 0 : 1;
  Raise(fw::EventKind::Click, id);
}

void Window::DeclareRadioGroup(std::vector<int> ids) {
  const int first = ids.front();
  radio_groups_[first] = std::move(ids);
}

void Window::ClickRadio(int first_id, int index) {
  SetRadioIndex(first_id, index);
  Raise(fw::EventKind::Click, radio_groups_.at(first_id).at(static_cast<size_t>(index)));
}

void Window::SelectListItem(int id, int index) {
  List(id).SetCurSel(index);
  Raise(fw::EventKind::SelChange, id);
}

void Window::PickComboItem(int id, int index) {
  Combo(id).SetCurSel(index);
  Raise(fw::EventKind::CloseUp, id);
}

void Window::ChangeTab(int id, int index) {
  const fw::Notification changing = Raise(fw::EventKind::SelChanging, id);
  // A non-zero answer to "changing" keeps the tab that is selected.
  if (changing.result != 0) return;
  Tab(id).SetCurSel(index);
  Raise(fw::EventKind::SelChange, id);
}

void Window::PickDate(int id, const fw::CalendarTime& date) {
  Calendar(id).SetCurSel(date);
  Raise(fw::EventKind::DateSelect, id);
}

void Window::EditTime(int id, const fw::CalendarTime& time) {
  DateTime(id).SetTime(time);
  Raise(fw::EventKind::DateTimeChange, id);
}

void Window::PressSpin(int id, int delta) { Raise(fw::EventKind::DeltaPos, id, delta); }

void Window::PressCloseButton() { Raise(fw::EventKind::Close, 0); }

void Window::Paint() { Raise(fw::EventKind::Paint, 0); }

bool Window::Notify(fw::EventKind kind, int id) {
  const int before = handled_events_;
  Raise(kind, id);
  return handled_events_ > before;
}

bool Window::date_time_format_is(int id, std::u16string_view format) { return Get(pickers_, id).format() == format; }

std::u16string Window::GetText(int id) const {
  const auto found = texts_.find(id);
  return found == texts_.end() ? std::u16string() : found->second;
}

void Window::SetText(int id, std::u16string_view text) {
  texts_[id] = text;
  // A real edit reports a change when its text is set from code.
  if (!ended_) Raise(fw::EventKind::TextChange, id);
}

int Window::GetCheck(int id) const {
  const auto found = checks_.find(id);
  return found == checks_.end() ? 0 : found->second;
}

void Window::SetCheck(int id, int state) { checks_[id] = state; }

int Window::GetRadioIndex(int first_id) const {
  const auto group = radio_groups_.find(first_id);
  if (group == radio_groups_.end()) return -1;
  for (size_t i = 0; i < group->second.size(); ++i) {
    if (GetCheck(group->second[i]) != 0) return static_cast<int>(i);
  }
  return -1;
}

void Window::SetRadioIndex(int first_id, int index) {
  const auto group = radio_groups_.find(first_id);
  if (group == radio_groups_.end()) return;
  for (size_t i = 0; i < group->second.size(); ++i) {
    checks_[group->second[i]] = static_cast<int>(i) == index ? 1 : 0;
  }
}

template <class Control>
Control& Window::Get(std::map<int, std::unique_ptr<Control>>& controls, int id) {
  auto& control = controls[id];
  if (!control) {
    if constexpr (std::is_constructible_v<Control, fw::CalendarTime>) {
      control = std::make_unique<Control>(now_);
    } else {
      control = std::make_unique<Control>();
    }
  }
  return *control;
}

fw::TabControl& Window::Tab(int id) { return Get(tabs_, id); }
fw::ListBox& Window::List(int id) { return Get(lists_, id); }
fw::ComboBox& Window::Combo(int id) { return Get(combos_, id); }
fw::DateTimePicker& Window::DateTime(int id) { return Get(pickers_, id); }
fw::MonthCalendar& Window::Calendar(int id) { return Get(calendars_, id); }

void Window::SetIcon(const fw::Icon& icon, bool big) { icons_set_.emplace_back(icon, big); }

std::unique_ptr<fw::PaintSession> Window::BeginPaint() { return std::make_unique<Painter>(*this); }

void Window::MessageBox(std::u16string_view text, std::u16string_view caption) {
  message_boxes_.emplace_back(text);
  captions_.emplace_back(caption);
}

void Window::Warn(std::u16string_view text, std::u16string_view caption) {
  MessageBox(text, caption);
  warnings_.emplace_back(text);
}

bool Window::AskYesNo(std::u16string_view text, std::u16string_view caption) {
  Warn(text, caption);
  return answered_ < answers_.size() && answers_[answered_++];
}

std::size_t Window::AskChoice(std::u16string_view text, std::u16string_view caption,
                              const std::vector<std::u16string>& buttons) {
  Warn(text, caption);
  choice_buttons_ = buttons;
  return chosen_ < choices_.size() ? choices_[chosen_++] : buttons.size() - 1;
}

void Window::EndDialog(std::intptr_t result) {
  ended_ = true;
  result_ = result;
}

Platform::Platform(fw::CalendarTime now) : now_(now) { fw::SetPlatform(this); }

Platform::~Platform() { fw::SetPlatform(nullptr); }

std::unique_ptr<Window> Platform::MakeWindow(fw::Dialog& dialog) const {
  auto window = std::make_unique<Window>(dialog, now_);
  for (const auto& group : radio_groups_) window->DeclareRadioGroup(group);
  return window;
}

std::unique_ptr<Window> Platform::Open(fw::Dialog& dialog) {
  auto window = MakeWindow(dialog);
  window->default_focus_ = dialog.InitDialog();
  return window;
}

std::intptr_t Platform::RunModal(fw::Dialog& dialog) {
  modal_templates_.push_back(dialog.template_id());
  const auto window = MakeWindow(dialog);
  dialog.InitDialog();
  if (responders_.empty()) {
    ++unanswered_modals_;
    window->EndDialog(fw::kIdCancel);
  } else {
    Responder responder = std::move(responders_.front());
    responders_.erase(responders_.begin());
    responder(*window);
    if (!window->ended()) window->EndDialog(fw::kIdCancel);
  }
  return window->result();
}

}  // namespace headless
