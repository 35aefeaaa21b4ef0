#include "support/stand_in_game.h"

#include <windows.h>

#include "support/files.h"

#ifndef TARNWICK_STAND_IN_EXE
#define TARNWICK_STAND_IN_EXE ""
#endif

namespace tarnwick::test {

std::wstring standInGameExe() { return windowsPath(TARNWICK_STAND_IN_EXE); }

std::string waitForLaunchLog(const std::wstring& folder) {
  const std::wstring log = folder + L"\\launch.log";
  for (int waited = 0; waited < 100; ++waited) {
    if (auto text = readBytes(log); text && !text->empty() && text->back() == '\n') return *text;
    ::Sleep(100);
  }
  return {};
}

}  // namespace tarnwick::test
