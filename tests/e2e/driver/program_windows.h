#pragma once

#include <windows.h>

#include <string>

#include "app_under_test.h"

// Reaching into the windows of a program under test from the driver's own
// process.

inline constexpr UINT kSendTimeoutMs = 20000;

// Sends a message and waits for the answer; a program that does not answer
// fails the scenario.
LRESULT SendAndWait(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// A visible dialog of that caption, of one process or (0) of any.
HWND FindTopLevel(DWORD process_id, const wchar_t* caption);

std::wstring WindowText(HWND window);

// Starts a program as a user's double-click or the Task Scheduler would.
// Under a loaded Wine a program just copied is now and then refused once;
// it is tried again before the scenario fails.
PROCESS_INFORMATION StartProgram(const std::wstring& exe, const std::wstring& arguments);

// A value placed in the program's own memory, for control messages whose
// argument is a pointer (the platform does not carry those across processes).
template <class T>
class RemoteValue {
 public:
  RemoteValue(HANDLE process, const T& value) : process_(process) {
    address_ = VirtualAllocEx(process, nullptr, sizeof(T), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (address_ == nullptr) throw Failure{L"cannot reach the program's memory"};
    WriteProcessMemory(process, address_, &value, sizeof(T), nullptr);
  }
  ~RemoteValue() { VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }
  RemoteValue(const RemoteValue&) = delete;
  RemoteValue& operator=(const RemoteValue&) = delete;

  LPARAM address() const { return reinterpret_cast<LPARAM>(address_); }
  T Read() const {
    T value{};
    ReadProcessMemory(process_, address_, &value, sizeof(T), nullptr);
    return value;
  }

 private:
  HANDLE process_;
  void* address_ = nullptr;
};
