#pragma once
#include <windows.h>

#include <string>

namespace tarnwick {

// The error when the program is a folder: ERROR_DIRECTORY_NOT_SUPPORTED, which mingw-w64's
// headers lack.
inline constexpr DWORD kProgramIsAFolder = 336;

// Starts the expansion's program in the game directory, without arguments and
// without waiting for it. NO_ERROR, or the system's error when it can't be started;
// kProgramIsAFolder when it is a folder.
[[nodiscard]] DWORD launchGame(const std::wstring& program, const std::wstring& gameDir);

}  // namespace tarnwick
