#include "packs/folder_entries.h"

namespace tarnwick {

FolderEntries::FolderEntries(const std::wstring& folder, EntryKind kind) : walk_(folder + L"\\*"), kind_(kind) {}

bool FolderEntries::readNext(std::size_t most) {
  return walk_.visitNext(most, [this](const WIN32_FIND_DATAW& found) {
    const DWORD attributes = found.dwFileAttributes;
    if (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) return;
    const bool folderEntry = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (folderEntry == (kind_ == EntryKind::Folder)) names_.emplace_back(found.cFileName);
  });
}

std::optional<std::vector<std::wstring>> FolderEntries::take() {
  if (!walk_.readable()) return std::nullopt;
  return std::move(names_);
}

std::optional<std::vector<std::wstring>> listFolderEntries(const std::wstring& folder, EntryKind kind) {
  FolderEntries entries(folder, kind);
  entries.readNext(static_cast<std::size_t>(-1));
  return entries.take();
}

}  // namespace tarnwick
