#include "app/message_boxes.h"

#include <string>

#include "app/texts.h"
#include "platform/message_box.h"

namespace tarnwick {

void showInformation(HWND owner, std::wstring_view text) {
  const std::wstring message = fittedToScreen(owner, text, texts::kMessageCut);
  ::MessageBoxW(owner, message.c_str(), texts::kWindowTitle, MB_OK | MB_ICONINFORMATION);
}

bool askYesNo(HWND owner, std::wstring_view question) {
  const std::wstring message(question);
  return ::MessageBoxW(owner, message.c_str(), texts::kWindowTitle, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

}  // namespace tarnwick
