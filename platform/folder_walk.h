#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace tarnwick {

// Calls `visit` for every entry that `pattern` (a folder and "\*", or a narrower
// pattern) matches, "." and ".." left out, reading the folder in large batches. False
// when the folder can't be read; a folder with nothing that matches is no failure.
bool forEachFolderEntry(const std::wstring& pattern, const std::function<void(const WIN32_FIND_DATAW&)>& visit);

}  // namespace tarnwick
