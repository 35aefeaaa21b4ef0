#include "app/game_dir.h"

namespace tarnwick {

std::wstring gameDirFromInstallPath(std::wstring_view installPath) {
  // Joining every piece but the last with "\" again gives exactly the text before
  // the last separator; with a single piece, that piece is the whole text.
  const auto lastSeparator = installPath.rfind(L'\\');
  if (lastSeparator == std::wstring_view::npos) return std::wstring(installPath);
  return std::wstring(installPath.substr(0, lastSeparator));
}

}  // namespace tarnwick
