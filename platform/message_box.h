#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace tarnwick {

// A message box's text cut to fit on the owner's screen: lines longer than a path are
// shortened, and the lines that would make the box taller than the screen the owner is
// on give way to `cutNote`, which says that the rest isn't shown.
std::wstring fittedToScreen(HWND owner, std::wstring_view text, std::wstring_view cutNote);

}  // namespace tarnwick
