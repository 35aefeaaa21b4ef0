// The game folder is the install path up to, not including, its last "\"; a path without
// one is taken whole.
#include <algorithm>
#include <cstdlib>

#include "app/game_dir.h"
#include "tests/fuzz/wide_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring installPath = tarnwick::wideFromFuzzBytes(data, size);
  const std::wstring gameDir = tarnwick::gameDirFromInstallPath(installPath);

  const auto separators = [](std::wstring_view text) { return std::count(text.begin(), text.end(), L'\\'); };
  if (installPath.compare(0, gameDir.size(), gameDir) != 0) std::abort();
  if (separators(installPath) == 0) {
    if (gameDir != installPath) std::abort();
    return 0;
  }
  if (separators(gameDir) != separators(installPath) - 1) std::abort();
  if (installPath[gameDir.size()] != L'\\') std::abort();
  return 0;
}
