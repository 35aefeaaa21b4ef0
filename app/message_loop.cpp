#include "app/message_loop.h"

namespace tarnwick {
namespace {

bool isPushButton(HWND window) {
  wchar_t windowClass[16]{};
  if (::GetClassNameW(window, windowClass, 16) == 0 || ::lstrcmpiW(windowClass, L"Button") != 0) return false;
  const auto kind = ::GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK;
  return kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON;
}

bool isListView(HWND window) {
  wchar_t windowClass[16]{};
  return ::GetClassNameW(window, windowClass, 16) != 0 && ::lstrcmpiW(windowClass, L"SysListView32") == 0;
}

}  // namespace

int runMessageLoop(HWND mainWindow) {
  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (::IsWindow(mainWindow) && (message.hwnd == mainWindow || ::IsChild(mainWindow, message.hwnd))) {
      // Outside a dialog, the dialog manager turns Enter into IDOK; here it presses
      // the button that has the focus.
      if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN && isPushButton(message.hwnd)) {
        ::SendMessageW(message.hwnd, BM_CLICK, 0, 0);
        continue;
      }
      // A list view opens its chosen row on Enter itself.
      const bool enterForList = message.message == WM_KEYDOWN && message.wParam == VK_RETURN && isListView(message.hwnd);
      if (!enterForList && ::IsDialogMessageW(mainWindow, &message)) continue;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace tarnwick
