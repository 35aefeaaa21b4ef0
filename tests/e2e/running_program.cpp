#include "running_program.h"

#include <cstdlib>

namespace tarnwick::e2e {

int comboIndexOf(HWND combo, const wchar_t* name) {
  return static_cast<int>(
      ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name)));
}

RunningProgram::RunningProgram(bool showsWindow) {
  const wchar_t* exe = _wgetenv(L"TARNWICK_EXE");
  if (exe == nullptr) return;
  std::wstring commandLine = L"\"" + std::wstring(exe) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!::CreateProcessW(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, kGameFolder, &startup,
                        &process_)) {
    return;
  }
  if (showsWindow) window_ = waitForWindow(L"Tarnwick.Form1", L"Tarnwick", 30);
}

RunningProgram::~RunningProgram() {
  if (process_.hProcess == nullptr) return;
  kill();
  ::CloseHandle(process_.hThread);
  ::CloseHandle(process_.hProcess);
}

bool RunningProgram::close() {
  ::PostMessageW(window_, WM_CLOSE, 0, 0);
  return ended();
}

bool RunningProgram::ended() { return ::WaitForSingleObject(process_.hProcess, 20000) == WAIT_OBJECT_0; }

void RunningProgram::kill() {
  if (::WaitForSingleObject(process_.hProcess, 0) != WAIT_TIMEOUT) return;
  ::TerminateProcess(process_.hProcess, 1);
  ::WaitForSingleObject(process_.hProcess, 20000);
}

}  // namespace tarnwick::e2e
