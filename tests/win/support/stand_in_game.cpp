#include "support/stand_in_game.h"

#include <windows.h>

#include "support/files.h"

#ifndef TARNWICK_STAND_IN_EXE
#define TARNWICK_STAND_IN_EXE ""
#endif

namespace tarnwick::test {

std::wstring standInGameExe() {
  // Built on the Linux side: Wine shows the whole Linux file system as drive Z:.
  const std::string unixPath = TARNWICK_STAND_IN_EXE;
  std::wstring path = L"Z:";
  for (char c : unixPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
  return path;
}

std::string waitForLaunchLog(const std::wstring& folder) {
  const std::wstring log = folder + L"\\launch.log";
  for (int waited = 0; waited < 100; ++waited) {
    if (auto text = readBytes(log); text && !text->empty() && text->back() == '\n') return *text;
    ::Sleep(100);
  }
  return {};
}

}  // namespace tarnwick::test
