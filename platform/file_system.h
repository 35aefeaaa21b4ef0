#pragma once
#include <string>
#include <string_view>

namespace tarnwick {

// Whether a file or folder is at the path (true for folders and files alike).
// Asked through the path's attributes, not by forming its short (8.3) path: the
// answer is the same, and the short path can cost a directory scan per component.
bool pathExists(const std::wstring& path);

bool isFolder(const std::wstring& path);
// Whether a file, not a folder, is at the path.
bool isFile(const std::wstring& path);

// Whether two names (or two full paths) name the same file: compared as the file
// system does, ignoring case.
bool sameFileName(std::wstring_view a, std::wstring_view b);

// The path made full (relative to the working folder, ".." and "." resolved, "/" read
// as "\"), without a trailing separator except a drive's; as given when it can't be.
std::wstring fullPath(const std::wstring& path);

// Whether two paths name the same file or folder as written: made full (".." and "."
// resolved, "/" read as "\") and compared ignoring case and a trailing separator.
bool samePath(const std::wstring& a, const std::wstring& b);

// Whether `path`, made full, is `folder` or lies inside it.
bool isSameOrInside(const std::wstring& path, const std::wstring& folder);

}  // namespace tarnwick
