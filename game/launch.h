#pragma once
#include <windows.h>

#include <string>

namespace tarnwick {

// Starts the expansion's program in the game directory, without arguments and
// without waiting for it. NO_ERROR, or the system's error when it can't be started.
[[nodiscard]] DWORD launchGame(const std::wstring& program, const std::wstring& gameDir);

}  // namespace tarnwick
