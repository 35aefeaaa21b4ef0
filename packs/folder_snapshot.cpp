#include "packs/folder_snapshot.h"

#include <windows.h>

#include "platform/unique_handle.h"

namespace tarnwick {

std::wstring foldedFileName(std::wstring_view name) {
  std::wstring folded(name);
  if (!folded.empty()) ::CharUpperBuffW(folded.data(), static_cast<DWORD>(folded.size()));
  return folded;
}

FolderSnapshot::FolderSnapshot(const std::wstring& folder) {
  WIN32_FIND_DATAW found{};
  UniqueFind find(::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                     nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!find) return;
  do {
    const std::wstring_view name(found.cFileName);
    if (name == L"." || name == L"..") continue;
    isFolder_[foldedFileName(name)] = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  } while (::FindNextFileW(find.get(), &found));
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
