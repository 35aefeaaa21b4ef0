#include "packs/folder_entries.h"

#include "platform/unique_handle.h"

namespace tarnwick {

std::optional<std::vector<std::wstring>> listFolderEntries(const std::wstring& folder, EntryKind kind) {
  const std::wstring pattern = folder + L"\\*";
  WIN32_FIND_DATAW found{};
  UniqueFind find(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH));
  if (!find) {
    // An empty folder still has "." and "..": failing here means it can't be read.
    return ::GetLastError() == ERROR_FILE_NOT_FOUND ? std::optional(std::vector<std::wstring>{}) : std::nullopt;
  }
  std::vector<std::wstring> names;
  do {
    const DWORD attributes = found.dwFileAttributes;
    if (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
    const bool folderEntry = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (folderEntry != (kind == EntryKind::Folder)) continue;
    const std::wstring_view name(found.cFileName);
    if (name == L"." || name == L"..") continue;
    names.emplace_back(name);
  } while (::FindNextFileW(find.get(), &found));
  return names;
}

}  // namespace tarnwick
