#pragma once
#include <windows.h>

namespace tarnwick {

// Runs the program's messages until the last top-level window has closed. Keys in
// the main window work as in a dialog: Tab moves between the enabled controls,
// Enter or Space presses the focused button.
int runMessageLoop(HWND mainWindow);

}  // namespace tarnwick
