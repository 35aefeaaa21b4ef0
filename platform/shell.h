#pragma once
#include <windows.h>

#include <string>

namespace tarnwick {

// Asks the shell to "open" a file with a working folder, shown normally.
// NO_ERROR, or the system's error when the shell refuses.
[[nodiscard]] DWORD shellOpen(const std::wstring& file, const std::wstring& workingFolder);

}  // namespace tarnwick
