#pragma once
#include <windows.h>

#include <string_view>

namespace tarnwick {

// An information message with a single OK button, cut to fit on the owner's screen.
void showInformation(HWND owner, std::wstring_view text);
// A question with the question icon and Yes and No buttons; true for Yes.
[[nodiscard]] bool askYesNo(HWND owner, std::wstring_view question);

}  // namespace tarnwick
