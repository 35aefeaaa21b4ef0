#include "platform/message_box.h"

#include <string>

namespace tarnwick {

void showInformation(HWND owner, std::wstring_view text) {
  const std::wstring message(text);
  ::MessageBoxW(owner, message.c_str(), L"Tarnwick", MB_OK | MB_ICONINFORMATION);
}

bool askYesNo(HWND owner, std::wstring_view question) {
  const std::wstring message(question);
  return ::MessageBoxW(owner, message.c_str(), L"Tarnwick", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace tarnwick
