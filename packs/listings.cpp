#include "packs/listings.h"

#include "packs/folder_entries.h"
#include "packs/name_order.h"
#include "packs/name_pattern.h"

namespace tarnwick {

FolderListing::FolderListing(std::wstring initialPath) : path_(std::move(initialPath)) {}

bool FolderListing::setPath(const std::wstring& path) {
  auto names = listFolderEntries(path, EntryKind::Folder);
  if (!names) return false;
  sortNames(*names);
  path_ = path;
  names_ = std::move(*names);
  items_.clear();
  items_.reserve(names_.size());
  for (const auto& name : names_) items_.push_back(path_ + L"\\" + name);
  return true;
}

std::wstring FolderListing::item(int index) const {
  if (index == -1) return path_;
  if (index < 0 || index >= count()) return {};
  return items_[static_cast<size_t>(index)];
}

FileListing::FileListing(std::wstring patterns, std::wstring initialPath)
    : patterns_(std::move(patterns)), path_(std::move(initialPath)) {}

FolderFiles readFolderFiles(const std::wstring& path) {
  FolderFiles folder{path, {}};
  if (auto names = listFolderEntries(path, EntryKind::File)) {
    sortNames(*names);
    folder.names = std::move(*names);
  }
  return folder;
}

void FileListing::setPath(const FolderFiles& folder) {
  path_ = folder.path;
  names_.clear();
  for (const auto& name : folder.names) {
    if (matchesPattern(name, patterns_)) names_.push_back(name);
  }
}

}  // namespace tarnwick
