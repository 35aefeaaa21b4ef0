#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/control_contents.h"
#include "support/messages.h"

namespace tarnwick::e2e {

// Drives another process's windows from outside, as a user's clicks and keys would.

// Waits (up to `seconds`) for a shown top-level window of the class and title; null when none.
HWND waitForWindow(const wchar_t* windowClass, const wchar_t* title, double seconds);

// The first descendant of `parent` with the control identifier.
HWND findControl(HWND parent, int id);

using test::comboItems;
using tarnwick::listBoxItems;
using test::windowText;

// A message box (dialog class) that belongs to the process, if one is open.
HWND findMessageBox(DWORD processId);
// The message box's text.
std::wstring messageBoxText(HWND box);
// Presses its OK button and waits for it to go.
void pressOk(HWND box);

// Presses a button without waiting for its handler (which may open a message box).
void click(HWND button);
// Chooses combo item `index` the way a choice from its list does.
void choose(HWND combo, int index);

// Waits until `condition` holds or `seconds` pass; false on time-out.
template <typename Condition>
bool waitUntil(Condition condition, double seconds) {
  for (int waited = 0; waited < static_cast<int>(seconds * 20); ++waited) {
    if (condition()) return true;
    ::Sleep(50);
  }
  return condition();
}

}  // namespace tarnwick::e2e
