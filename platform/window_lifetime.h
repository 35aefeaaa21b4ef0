#pragma once

namespace tarnwick {

// The program's top-level windows (the main window and every preview) count
// themselves in and out; the program ends when the last one has closed.
void topLevelWindowOpened();
void topLevelWindowClosed();
int openTopLevelWindows();

}  // namespace tarnwick
