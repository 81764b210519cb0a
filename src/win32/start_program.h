#pragma once

#include <string>

#include "win32/unique_handle.h"

namespace win32 {

struct StartedProgram {
  UniqueHandle process;  // empty where it did not start
  DWORD error = 0;       // why it did not
};

// Starts `program` as a double-click would: its path quoted, then `arguments`.
StartedProgram StartProgram(const std::wstring& program, const std::wstring& arguments);

}  // namespace win32
