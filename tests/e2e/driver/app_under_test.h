#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// Halvorn2.exe started by the driver, and the user's hands on it: find the
// dialog, type, click, read, answer message boxes, close.
class AppUnderTest {
 public:
  AppUnderTest(const std::wstring& exe, const std::wstring& arguments);
  // The program whose dialog this is, started by someone else.
  explicit AppUnderTest(HWND dialog);
  ~AppUnderTest();
  AppUnderTest(const AppUnderTest&) = delete;
  AppUnderTest& operator=(const AppUnderTest&) = delete;

  // The main dialog once it is on show; throws when it does not appear.
  HWND WaitForDialog(const wchar_t* caption = L"Halvorn Ver 2.3", DWORD timeout_ms = 30000);
  HWND dialog() const { return dialog_; }
  HWND Control(int id) const;

  std::wstring Text(int id) const;
  void Type(int id, const std::wstring& text);  // replaces the text, as a paste would
  void Click(int id);                           // waits until the click is handled
  void ClickLater(int id);                      // for clicks that open a message box
  bool Checked(int id) const;
  void SetChecked(int id, bool checked);  // clicks only when the state differs
  void KeyPress(int id, WORD virtual_key);

  SYSTEMTIME PickerTime(int id) const;
  // Sets the picker's time. The platform does not carry the picker's change
  // notification across processes, so the dialog sees the new time at its
  // next composition: set the pickers before typing.
  void SetPickerTime(int id, const SYSTEMTIME& time);
  SYSTEMTIME CalendarDate(int id) const;

  int TabCount(int id) const;
  std::wstring TabText(int id, int index) const;
  int TabSelection(int id) const;
  void ClickTab(int id, int index);  // with the mouse, as a user picks a tab

  std::vector<std::wstring> ComboItems(int id) const;
  int ComboSelection(int id) const;

  // Another dialog of the program (the profile name dialog), once on show.
  HWND WaitForOtherDialog(const wchar_t* caption, DWORD timeout_ms = 15000);
  void TypeIn(HWND dialog, int id, const std::wstring& text);
  void ClickLaterIn(HWND dialog, int id);

  // The next message box of the program: its text, after pressing its OK.
  std::optional<std::wstring> AnswerMessageBox(DWORD timeout_ms = 15000);
  // The next question of the program (はい or いいえ): its text, after the answer.
  std::optional<std::wstring> AnswerQuestion(bool yes, DWORD timeout_ms = 15000);
  bool HasMessageBox() const;
  // The next box of the program with buttons of its own: its texts and its
  // buttons' captions, after pressing the button captioned `press`. A
  // picture of it is saved where `picture` names a file.
  struct ChoiceBox {
    std::wstring text;
    std::vector<std::wstring> buttons;
  };
  std::optional<ChoiceBox> AnswerChoice(const std::wstring& press, const std::wstring& picture = {},
                                        DWORD timeout_ms = 15000);

  void PressCloseButton();
  // The exit code, or nothing while the program still runs after the wait.
  std::optional<DWORD> WaitForExit(DWORD timeout_ms = 20000);
  bool Running() const;
  DWORD process_id() const { return process_.dwProcessId; }
  HANDLE process() const { return process_.hProcess; }

 private:
  HWND FindMessageBox() const;
  std::optional<std::wstring> PressInMessageBox(int button_id, DWORD timeout_ms);

  PROCESS_INFORMATION process_{};
  HWND dialog_ = nullptr;
};

// Any failure of a scenario.
struct Failure {
  std::wstring what;
};

void Expect(bool condition, const std::wstring& what);
void ExpectEqual(const std::wstring& actual, const std::wstring& expected, const std::wstring& what);

std::wstring Utf16FromUtf8(const char* text);
std::string Utf8(const std::wstring& text);
