#include <windows.h>
#include <commctrl.h>

#include "app/form1.h"
#include "app/message_boxes.h"
#include "app/message_loop.h"
#include "app/texts.h"
#include "platform/file_system.h"
#include "platform/shell.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
  ::InitCommonControlsEx(&controls);

  // Archives or folders to import: Explorer's "open with", or a drop on the program's icon.
  // Made full here, where the working folder is the one they were given in.
  std::vector<std::wstring> paths = tarnwick::commandLineArguments();
  for (auto& path : paths) path = tarnwick::fullPath(path);

  auto form = tarnwick::Form1::create(instance, {}, {}, std::move(paths));
  if (!form) {
    tarnwick::showInformation(nullptr, tarnwick::texts::kNoMainWindow);
    return 1;
  }
  if (form->managedElsewhere()) return 0;
  form->show(showCommand);
  return tarnwick::runMessageLoop(form->hwnd());
}
