#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace tarnwick {

// Asks the shell to "open" a file with a working folder, shown normally.
// NO_ERROR, or the system's error when the shell refuses.
[[nodiscard]] DWORD shellOpen(const std::wstring& file, const std::wstring& workingFolder);

// The program's command-line arguments after its own name, as the system splits them
// (quotes group, backslashes before a quote escape it). The shell is loaded only when
// there are any.
std::vector<std::wstring> commandLineArguments();

// The files and folders of a drop on a window that accepts files (WS_EX_ACCEPTFILES); the
// drop's memory is freed.
std::vector<std::wstring> droppedFiles(HDROP drop);

}  // namespace tarnwick
