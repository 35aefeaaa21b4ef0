#include "platform/file_system.h"

#include <windows.h>

#include <optional>

namespace tarnwick {

bool pathExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

namespace {

// Whether the entry at the path is a folder; nothing when there is none.
std::optional<bool> entryIsFolder(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

bool isFolder(const std::wstring& path) { return entryIsFolder(path) == true; }

bool isFile(const std::wstring& path) { return entryIsFolder(path) == false; }

bool sameFileName(std::wstring_view a, std::wstring_view b) {
  return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

std::wstring fullPath(const std::wstring& path) {
  const DWORD length = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (length == 0) return path;
  std::wstring full(length, L'\0');
  full.resize(::GetFullPathNameW(path.c_str(), length, full.data(), nullptr));
  while (full.size() > 3 && full.back() == L'\\') full.pop_back();
  return full;
}

bool samePath(const std::wstring& a, const std::wstring& b) { return sameFileName(fullPath(a), fullPath(b)); }

bool isSameOrInside(const std::wstring& path, const std::wstring& folder) {
  const std::wstring inner = fullPath(path), outer = fullPath(folder);
  if (inner.size() < outer.size() || !sameFileName(std::wstring_view(inner).substr(0, outer.size()), outer)) return false;
  return inner.size() == outer.size() || inner[outer.size()] == L'\\' || outer.back() == L'\\';
}

}  // namespace tarnwick
