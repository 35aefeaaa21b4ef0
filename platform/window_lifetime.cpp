#include "platform/window_lifetime.h"

#include <windows.h>

namespace tarnwick {
namespace {
int openWindows = 0;  // Touched only on the one window thread.
}

void topLevelWindowOpened() { ++openWindows; }

void topLevelWindowClosed() {
  if (openWindows > 0 && --openWindows == 0) ::PostQuitMessage(0);
}

int openTopLevelWindows() { return openWindows; }

}  // namespace tarnwick
