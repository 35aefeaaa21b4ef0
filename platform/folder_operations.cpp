#include "platform/folder_operations.h"

#include <vector>

#include "platform/error_text.h"
#include "platform/folder_walk.h"

namespace tarnwick {
namespace {

constexpr DWORD kHiddenFolderAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

}  // namespace

std::wstring longPathOf(const std::wstring& path) {
  if (path.starts_with(L"\\\\?\\")) return path;
  const DWORD length = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  std::wstring full(length, L'\0');
  full.resize(length == 0 ? 0 : ::GetFullPathNameW(path.c_str(), length, full.data(), nullptr));
  if (full.empty()) full = path;
  while (full.size() > 3 && full.back() == L'\\') full.pop_back();
  if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

DWORD makeHiddenFolder(const std::wstring& folder) {
  const DWORD attributes = ::GetFileAttributesW(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    if (!::CreateDirectoryW(folder.c_str(), nullptr)) return lastErrorOr(ERROR_CANNOT_MAKE);
    if (!::SetFileAttributesW(folder.c_str(), kHiddenFolderAttributes)) {
      // A folder that shows would be offered as a pack: rather keep nothing.
      const DWORD error = lastErrorOr(ERROR_ACCESS_DENIED);
      ::RemoveDirectoryW(folder.c_str());
      return error;
    }
    return NO_ERROR;
  }
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return ERROR_ALREADY_EXISTS;
  // Copied folders can lose their attributes; put them back before using it.
  if ((attributes & kHiddenFolderAttributes) != kHiddenFolderAttributes &&
      !::SetFileAttributesW(folder.c_str(), (attributes | kHiddenFolderAttributes) & ~FILE_ATTRIBUTE_DIRECTORY)) {
    return lastErrorOr(ERROR_ACCESS_DENIED);
  }
  return NO_ERROR;
}

DWORD deleteFolderTree(const std::wstring& folder) {
  const std::wstring root = longPathOf(folder);
  if (::GetFileAttributesW(root.c_str()) == INVALID_FILE_ATTRIBUTES) return NO_ERROR;
  DWORD firstError = NO_ERROR;
  const auto note = [&firstError](bool done, DWORD fallback) {
    if (!done && firstError == NO_ERROR) firstError = lastErrorOr(fallback);
  };
  // Folders are emptied from the deepest up: each is listed once, then removed after
  // everything found in it.
  std::vector<std::pair<std::wstring, bool>> pending = {{root, false}};  // a folder, and whether it is listed
  while (!pending.empty()) {
    auto& [path, listed] = pending.back();
    if (listed) {
      ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      note(::RemoveDirectoryW(path.c_str()) != FALSE, ERROR_DIR_NOT_EMPTY);
      pending.pop_back();
      continue;
    }
    listed = true;
    const std::wstring parent = path;
    forEachFolderEntry(parent + L"\\*", [&](const WIN32_FIND_DATAW& found) {
      const std::wstring entry = parent + L"\\" + found.cFileName;
      const bool link = (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !link) {
        pending.emplace_back(entry, false);
        return;
      }
      ::SetFileAttributesW(entry.c_str(), FILE_ATTRIBUTE_NORMAL);
      const bool removed = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? ::RemoveDirectoryW(entry.c_str())
                                                                               : ::DeleteFileW(entry.c_str());
      note(removed != FALSE, ERROR_ACCESS_DENIED);
    });
  }
  return firstError;
}

}  // namespace tarnwick
