// The dialog framework stand-in: data exchange, message-map routing, and the
// rule that showing the form never raises a handler.
#include <gtest/gtest.h>

#include <array>

#include "framework/dialog.h"
#include "framework/message_map.h"
#include "support/headless_window.h"

namespace {

constexpr int kName = 10;
constexpr int kFlag = 11;
constexpr int kFirstRadio = 20;
constexpr int kSpin = 30;

class SampleDialog : public fw::Dialog {
 public:
  SampleDialog() : fw::Dialog(500) {}

  std::u16string name = u"initial";
  int flag = 1;
  int choice = 2;
  int name_changes = 0;
  int flag_clicks = 0;
  int last_delta = 0;
  std::u16string name_seen_by_handler;

  using fw::Dialog::UpdateData;

 protected:
  void DoDataExchange(fw::DataExchange& dx) override {
    fw::DDX_Text(dx, kName, name);
    fw::DDX_Check(dx, kFlag, flag);
    fw::DDX_Radio(dx, kFirstRadio, choice);
  }
  bool DispatchEvent(fw::EventKind kind, int id, fw::Notification& n) override {
    return fw::DispatchByMap<SampleDialog>(kMap, *this, kind, id, n);
  }

 private:
  void OnNameChange() {
    ++name_changes;
    UpdateData(true);
    name_seen_by_handler = name;
  }
  void OnFlag() { ++flag_clicks; }
  void OnSpin(fw::Notification& n) {
    last_delta = n.delta;
    n.result = 7;
  }
  static const std::array<fw::MessageMapEntry<SampleDialog>, 3> kMap;
};

const std::array<fw::MessageMapEntry<SampleDialog>, 3> SampleDialog::kMap = {
    fw::On(fw::EventKind::TextChange, kName, &SampleDialog::OnNameChange),
    fw::On(fw::EventKind::Click, kFlag, &SampleDialog::OnFlag),
    fw::On(fw::EventKind::DeltaPos, kSpin, &SampleDialog::OnSpin),
};

class FrameworkTest : public ::testing::Test {
 protected:
  headless::Platform platform;
  SampleDialog dialog;
  std::unique_ptr<headless::Window> window = OpenWithRadios();

  std::unique_ptr<headless::Window> OpenWithRadios() {
    auto opened = std::make_unique<headless::Window>(dialog, fw::CalendarTime{2026, 12, 2, 8, 0, 0, 0});
    opened->DeclareRadioGroup({kFirstRadio, kFirstRadio + 1, kFirstRadio + 2});
    dialog.InitDialog();
    return opened;
  }
};

TEST_F(FrameworkTest, ShowingTheFormPutsEveryValueIntoItsControlAndRaisesNoHandler) {
  EXPECT_EQ(window->GetText(kName), u"initial");
  EXPECT_EQ(window->GetCheck(kFlag), 1);
  EXPECT_EQ(window->GetRadioIndex(kFirstRadio), 2);
  EXPECT_EQ(dialog.name_changes, 0);

  dialog.name = u"shown later";
  dialog.UpdateData(false);
  EXPECT_EQ(window->GetText(kName), u"shown later");
  EXPECT_EQ(dialog.name_changes, 0);
  EXPECT_EQ(window->handled_events(), 0);
}

TEST_F(FrameworkTest, ReadingTheControlsTakesWhatTheUserEntered) {
  window->Type(kName, u"typed");
  window->ClickCheckBox(kFlag);
  window->ClickRadio(kFirstRadio, 0);
  dialog.UpdateData(true);
  EXPECT_EQ(dialog.name, u"typed");
  EXPECT_EQ(dialog.flag, 0);
  EXPECT_EQ(dialog.choice, 0);
}

TEST_F(FrameworkTest, TheMessageMapRoutesEachUserActionToItsHandlerOnly) {
  window->Type(kName, u"abc");
  EXPECT_EQ(dialog.name_changes, 1);
  EXPECT_EQ(dialog.name_seen_by_handler, u"abc");
  EXPECT_EQ(dialog.flag_clicks, 0);

  window->ClickCheckBox(kFlag);
  EXPECT_EQ(dialog.flag_clicks, 1);

  window->PressSpin(kSpin, -1);
  EXPECT_EQ(dialog.last_delta, -1);

  // A click on a control without a row reaches no handler.
  window->ClickButton(99);
  EXPECT_EQ(window->handled_events(), 3);
}

TEST_F(FrameworkTest, DefaultOkReadsTheControlsAndEndsWithOk) {
  window->Type(kName, u"kept");
  window->ClickCheckBox(kFlag);  // a handler that reads nothing
  window->PressEnter();
  EXPECT_TRUE(window->ended());
  EXPECT_EQ(window->result(), fw::kIdOk);
  EXPECT_EQ(dialog.name, u"kept");
  EXPECT_EQ(dialog.flag, 0);
}

TEST(FrameworkModalTest, AModalDialogIsAnsweredByTheQueuedResponderOrCancelled) {
  headless::Platform platform;
  SampleDialog first;
  platform.RespondToNextModal([](headless::Window& w) {
    w.Type(kName, u"answer");
    w.PressEnter();
  });
  EXPECT_EQ(first.DoModal(), fw::kIdOk);
  EXPECT_EQ(first.name, u"answer");

  SampleDialog second;
  EXPECT_EQ(second.DoModal(), fw::kIdCancel);
  EXPECT_EQ(platform.unanswered_modals(), 1);
  EXPECT_EQ(platform.modal_templates(), (std::vector<int>{500, 500}));
}

}  // namespace
