#pragma once
#include <windows.h>

#include <cstdint>
#include <string_view>
#include <vector>

namespace tarnwick {

// Messages between the program's own processes, and from the shell's drops.

// The shown and hidden top-level windows of this desktop of a class, but `except`.
std::vector<HWND> topLevelWindowsOfClass(const wchar_t* windowClass, HWND except);

// Sends `data`, marked, to another process's window as WM_COPYDATA and waits up to
// `timeoutMs` for its answer; true when the window answered TRUE.
bool sendCopyData(HWND to, HWND from, std::uintptr_t mark, std::string_view data, UINT timeoutMs);

// Lets the messages reach the window from processes of lower integrity (a program run
// as administrator gets them from one run as the user, and the shell's drops). Windows 7
// and later; without the function (older systems have no such filter), nothing to do.
void allowMessagesFromLowerIntegrity(HWND window, std::initializer_list<UINT> messages);

}  // namespace tarnwick
