#pragma once
#include <windows.h>

#include <string_view>

namespace tarnwick {

// An information message with a single OK button.
void showInformation(HWND owner, std::wstring_view text);

}  // namespace tarnwick
