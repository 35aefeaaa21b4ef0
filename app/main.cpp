#include <windows.h>
#include <commctrl.h>

#include "app/form1.h"
#include "app/message_boxes.h"
#include "app/message_loop.h"
#include "app/texts.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&controls);

  auto form = tarnwick::Form1::create(instance);
  if (!form) {
    tarnwick::showInformation(nullptr, tarnwick::texts::kNoMainWindow);
    return 1;
  }
  if (form->managedElsewhere()) return 0;
  form->show(showCommand);
  return tarnwick::runMessageLoop(form->hwnd());
}
