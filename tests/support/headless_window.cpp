#include "support/headless_window.h"

#include <algorithm>
#include <cstdlib>

namespace headless {

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

fw::Notification Window::RaiseWhileOpen(fw::EventKind kind, int id, int delta) {
  // A test that acts on a dialog that has ended is wrong, not the program.
  if (ended()) std::abort();
  return Raise(kind, id, delta);
}

void Window::Type(int id, std::u16string_view text) {
  if (ended()) std::abort();
  SetText(id, text);
}

void Window::ClickButton(int id) { RaiseWhileOpen(fw::EventKind::Click, id); }

void Window::ClickCheckBox(int id) {
  SetCheck(id, GetCheck(id) != 0 ? 0 : 1);
  RaiseWhileOpen(fw::EventKind::Click, id);
}

void Window::ClickRadio(int first_id, int index) {
  SetRadioIndex(first_id, index);
  RaiseWhileOpen(fw::EventKind::Click, RadioButton(first_id, index));
}

void Window::SelectListItem(int id, int index) {
  List(id).SetCurSel(index);
  RaiseWhileOpen(fw::EventKind::SelChange, id);
}

void Window::PickComboItem(int id, int index) {
  Combo(id).SetCurSel(index);
  RaiseWhileOpen(fw::EventKind::CloseUp, id);
}

void Window::ChangeTab(int id, int index) {
  const fw::Notification changing = RaiseWhileOpen(fw::EventKind::SelChanging, id);
  // A non-zero answer to "changing" keeps the tab that is selected.
  if (changing.result != 0) return;
  Tab(id).SetCurSel(index);
  RaiseWhileOpen(fw::EventKind::SelChange, id);
}

void Window::PickDate(int id, const fw::CalendarTime& date) {
  Calendar(id).SetCurSel(date);
  RaiseWhileOpen(fw::EventKind::DateSelect, id);
}

void Window::EditTime(int id, const fw::CalendarTime& time) {
  DateTime(id).SetTime(time);
  RaiseWhileOpen(fw::EventKind::DateTimeChange, id);
}

void Window::PressSpin(int id, int delta) { RaiseWhileOpen(fw::EventKind::DeltaPos, id, delta); }

void Window::PressCloseButton() { RaiseWhileOpen(fw::EventKind::Close, 0); }

void Window::Paint() { RaiseWhileOpen(fw::EventKind::Paint, 0); }

bool Window::Notify(fw::EventKind kind, int id) {
  const int before = handled_events();
  RaiseWhileOpen(kind, id);
  return handled_events() > before;
}

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
