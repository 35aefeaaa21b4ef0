#pragma once
#include <string>

namespace tarnwick {

// A path counts as existing when the system can form its short (8.3) path;
// true for folders and files alike.
bool pathExists(const std::wstring& path);

bool isFolder(const std::wstring& path);

}  // namespace tarnwick
