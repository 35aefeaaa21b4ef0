#include "window_driver.h"

#include <cstdlib>

namespace tarnwick::e2e {

bool waitUntil(const std::function<bool()>& condition, double seconds, DWORD pollMs) {
  const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  while (!condition()) {
    if (::GetTickCount64() > end) return false;
    ::Sleep(pollMs);
  }
  return true;
}

HWND waitForWindow(const wchar_t* windowClass, const wchar_t* title, double seconds) {
  HWND found = nullptr;
  // The window exists before its load step has run; it is shown after.
  waitUntil([&] { return ::IsWindowVisible(found = ::FindWindowW(windowClass, title)) != FALSE; }, seconds);
  return ::IsWindowVisible(found) ? found : nullptr;
}

HWND findControl(HWND parent, int id) {
  if (HWND control = ::GetDlgItem(parent, id)) return control;
  for (HWND child = nullptr; parent != nullptr && (child = ::FindWindowExW(parent, child, nullptr, nullptr));) {
    if (HWND control = findControl(child, id)) return control;
  }
  return nullptr;
}

namespace {

HWND findMessageBox(DWORD processId) {
  for (HWND box = nullptr; (box = ::FindWindowExW(nullptr, box, L"#32770", nullptr)) != nullptr;) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(box, &owner);
    if (owner == processId && ::IsWindowVisible(box)) return box;
  }
  return nullptr;
}

}  // namespace

void choose(HWND combo, int index) {
  ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  // Choosing from the list notifies the parent; setting the index in code doesn't.
  ::PostMessageW(::GetParent(combo), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

RunningProgram::RunningProgram(bool showsWindow) {
  const wchar_t* exe = _wgetenv(L"TARNWICK_EXE");
  std::wstring commandLine = L"\"" + std::wstring(exe ? exe : L"") + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!::CreateProcessW(exe, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, kGameFolder, &startup,
                        &started)) {
    return;
  }
  ::CloseHandle(started.hThread);
  process_.reset(started.hProcess);
  id_ = started.dwProcessId;
  if (showsWindow) window_ = waitForWindow(L"Tarnwick.Form1", L"Tarnwick", 30);
}

void RunningProgram::choose(const wchar_t* pack) const {
  HWND combo = control(layout::kIdCombo1);
  const auto index = ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(pack));
  e2e::choose(combo, static_cast<int>(index));
}

HWND RunningProgram::messageBox(double seconds) const {
  HWND box = nullptr;
  waitUntil([&] { return (box = findMessageBox(id_)) != nullptr; }, seconds);
  return box;
}

bool RunningProgram::close() {
  ::PostMessageW(window_, WM_CLOSE, 0, 0);
  return ended();
}

bool RunningProgram::ended() const { return process_ && ::WaitForSingleObject(process_.get(), 20000) == WAIT_OBJECT_0; }

// An empty handle would be this process's own pseudo handle.
void RunningProgram::kill() {
  if (!process_ || ::WaitForSingleObject(process_.get(), 0) != WAIT_TIMEOUT) return;
  ::TerminateProcess(process_.get(), 1);
  ::WaitForSingleObject(process_.get(), 20000);
}

}  // namespace tarnwick::e2e
