#pragma once
#include <string>
#include <string_view>

namespace tarnwick {

// The game directory is the expansion's install path without its last component:
// "D:\Games\RA2\gamemd.exe" -> "D:\Games\RA2", "D:\Games\RA2\" -> "D:\Games\RA2",
// "D:\x.exe" -> "D:". A text without any "\" (such as the unknown mark) is taken whole.
std::wstring gameDirFromInstallPath(std::wstring_view installPath);

}  // namespace tarnwick
