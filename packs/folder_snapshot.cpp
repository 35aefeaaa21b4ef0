#include "packs/folder_snapshot.h"

#include <windows.h>

#include "platform/folder_walk.h"

namespace tarnwick {

std::wstring foldedFileName(std::wstring_view name) {
  std::wstring folded(name);
  if (!folded.empty()) ::CharUpperBuffW(folded.data(), static_cast<DWORD>(folded.size()));
  return folded;
}

FolderSnapshot::FolderSnapshot(const std::wstring& folder) {
  forEachFolderEntry(folder + L"\\*", [this](const WIN32_FIND_DATAW& found) {
    isFolder_[foldedFileName(found.cFileName)] = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  });
}

bool FolderSnapshot::hasFile(std::wstring_view name) const {
  const auto entry = isFolder_.find(foldedFileName(name));
  return entry != isFolder_.end() && !entry->second;
}

bool FolderSnapshot::hasFolder(std::wstring_view name) const {
  const auto entry = isFolder_.find(foldedFileName(name));
  return entry != isFolder_.end() && entry->second;
}

bool FolderSnapshot::hasEntry(std::wstring_view name) const { return isFolder_.count(foldedFileName(name)) != 0; }

void FolderSnapshot::addFile(std::wstring_view name) { isFolder_[foldedFileName(name)] = false; }

void FolderSnapshot::remove(std::wstring_view name) { isFolder_.erase(foldedFileName(name)); }

}  // namespace tarnwick
