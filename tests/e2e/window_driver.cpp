#include "window_driver.h"

namespace tarnwick::e2e {

HWND waitForWindow(const wchar_t* windowClass, const wchar_t* title, double seconds) {
  HWND found = nullptr;
  // The window exists before its load step has run; it is shown after.
  waitUntil([&] { return (found = ::FindWindowW(windowClass, title)) != nullptr && ::IsWindowVisible(found); },
            seconds);
  return found != nullptr && ::IsWindowVisible(found) ? found : nullptr;
}

namespace {

struct ControlSearch {
  int id;
  HWND found;
};

BOOL CALLBACK matchControl(HWND child, LPARAM context) {
  auto* search = reinterpret_cast<ControlSearch*>(context);
  if (::GetDlgCtrlID(child) != search->id) return TRUE;
  search->found = child;
  return FALSE;
}

struct MessageBoxSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK matchMessageBox(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<MessageBoxSearch*>(context);
  wchar_t windowClass[16]{};
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !::IsWindowVisible(window)) return TRUE;
  if (::GetClassNameW(window, windowClass, 16) == 0 || std::wstring(windowClass) != L"#32770") return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

HWND findControl(HWND parent, int id) {
  ControlSearch search{id, nullptr};
  ::EnumChildWindows(parent, matchControl, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND findMessageBox(DWORD processId) {
  MessageBoxSearch search{processId, nullptr};
  ::EnumWindows(matchMessageBox, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring messageBoxText(HWND box) {
  // The message box shows its text in the static control 0xFFFF.
  HWND text = ::GetDlgItem(box, 0xFFFF);
  return text ? windowText(text) : std::wstring();
}

void pressOk(HWND box) {
  HWND ok = ::GetDlgItem(box, IDOK);
  if (ok == nullptr) ok = ::GetDlgItem(box, IDCANCEL);
  ::PostMessageW(ok, BM_CLICK, 0, 0);
  waitUntil([&] { return !::IsWindow(box); }, 10);
}

void click(HWND button) { ::PostMessageW(button, BM_CLICK, 0, 0); }

void choose(HWND combo, int index) {
  ::SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  // Choosing from the list notifies the parent; setting the index in code doesn't.
  ::PostMessageW(::GetParent(combo), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

}  // namespace tarnwick::e2e
