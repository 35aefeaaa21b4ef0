#include "window_driver.h"

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

void choose(HWND combo, int index) {
  ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  // Choosing from the list notifies the parent; setting the index in code doesn't.
  ::PostMessageW(::GetParent(combo), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

}  // namespace tarnwick::e2e
