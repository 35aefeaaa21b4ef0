#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace tarnwick {

// An information message with a single OK button, cut to fit on the owner's screen.
void showInformation(HWND owner, std::wstring_view text);

// The text as showInformation shows it: lines longer than a path are shortened, and the
// lines that would make the box taller than the screen the owner is on give way to a
// note that the rest isn't shown.
std::wstring fittedToScreen(HWND owner, std::wstring_view text);
// A question with the question icon and Yes and No buttons; true for Yes.
bool askYesNo(HWND owner, std::wstring_view question);

}  // namespace tarnwick
