#include "packs/folder_entries.h"

#include "platform/folder_walk.h"

namespace tarnwick {

std::optional<std::vector<std::wstring>> listFolderEntries(const std::wstring& folder, EntryKind kind) {
  std::vector<std::wstring> names;
  const bool read = forEachFolderEntry(folder + L"\\*", [&](const WIN32_FIND_DATAW& found) {
    const DWORD attributes = found.dwFileAttributes;
    if (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) return;
    const bool folderEntry = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (folderEntry == (kind == EntryKind::Folder)) names.emplace_back(found.cFileName);
  });
  if (!read) return std::nullopt;
  return names;
}

}  // namespace tarnwick
