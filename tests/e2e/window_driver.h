#pragma once
#include <windows.h>

#include <functional>

namespace tarnwick::e2e {

// Drives another process's windows from outside, as a user's clicks and keys would.

// Waits until `condition` holds, asking every `pollMs`; false when `seconds` pass first.
bool waitUntil(const std::function<bool()>& condition, double seconds, DWORD pollMs = 50);
// Waits (up to `seconds`) for a shown top-level window of the class and title; null when none.
HWND waitForWindow(const wchar_t* windowClass, const wchar_t* title, double seconds);
// The first descendant of `parent` with the control identifier.
HWND findControl(HWND parent, int id);
// Presses a button without waiting for its handler (which may open a message box).
inline void click(HWND button) { ::PostMessageW(button, BM_CLICK, 0, 0); }
// Chooses combo item `index` the way a choice from its list does.
void choose(HWND combo, int index);

}  // namespace tarnwick::e2e
