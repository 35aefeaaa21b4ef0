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

std::wstring textOf(HWND window) {
  // WM_GETTEXT is carried across processes for every window.
  const auto length = ::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const auto copied = ::SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(copied));
  return text;
}

namespace {
std::vector<std::wstring> items(HWND control, UINT countMessage, UINT lengthMessage, UINT textMessage) {
  std::vector<std::wstring> result;
  const auto count = ::SendMessageW(control, countMessage, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const auto length = ::SendMessageW(control, lengthMessage, static_cast<WPARAM>(i), 0);
    std::wstring text(static_cast<size_t>(length < 0 ? 0 : length) + 1, L'\0');
    const auto copied = ::SendMessageW(control, textMessage, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(copied < 0 ? 0 : copied));
    result.push_back(text);
  }
  return result;
}
}  // namespace

std::vector<std::wstring> listBoxItems(HWND listBox) {
  return items(listBox, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

std::vector<std::wstring> comboItems(HWND combo) {
  return items(combo, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

HWND findMessageBox(DWORD processId) {
  MessageBoxSearch search{processId, nullptr};
  ::EnumWindows(matchMessageBox, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring messageBoxText(HWND box) {
  // The message box shows its text in the static control 0xFFFF.
  HWND text = ::GetDlgItem(box, 0xFFFF);
  return text ? textOf(text) : std::wstring();
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
