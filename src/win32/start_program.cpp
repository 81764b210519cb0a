#include "win32/start_program.h"

namespace win32 {

StartedProgram StartProgram(const std::wstring& program, const std::wstring& arguments) {
  std::wstring command_line = L"\"" + program + L"\"";
  if (!arguments.empty()) command_line += L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &started)) {
    return {UniqueHandle(), GetLastError()};
  }
  CloseHandle(started.hThread);
  return {UniqueHandle(started.hProcess), 0};
}

}  // namespace win32
