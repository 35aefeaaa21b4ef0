#pragma once
#include <string>
#include <string_view>

namespace tarnwick {

// A path counts as existing when the system can form its short (8.3) path;
// true for folders and files alike.
bool pathExists(const std::wstring& path);

bool isFolder(const std::wstring& path);

// Whether two names (or two full paths) name the same file: compared as the file
// system does, ignoring case.
bool sameFileName(std::wstring_view a, std::wstring_view b);

}  // namespace tarnwick
