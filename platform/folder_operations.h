#pragma once
#include <windows.h>

#include <string>

namespace tarnwick {

// The path in its long form ("\\?\C:\..." or "\\?\UNC\server\..."): made full, it reaches
// paths longer than MAX_PATH, and Windows takes its names as they are.
std::wstring longPathOf(const std::wstring& path);

// Makes a folder of the program's own (hidden and a system folder, so the pack scan never
// offers it as a pack) where it isn't yet, or gives it back those attributes. NO_ERROR or
// the system's error.
[[nodiscard]] DWORD makeHiddenFolder(const std::wstring& folder);

// Deletes a folder and all it holds (read-only files too); links and junctions in it are
// removed, never followed. NO_ERROR (also when there was no folder) or the first error.
DWORD deleteFolderTree(const std::wstring& folder);

}  // namespace tarnwick
