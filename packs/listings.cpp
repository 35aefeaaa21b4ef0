#include "packs/listings.h"

#include <system_error>

#include "packs/folder_entries.h"
#include "packs/name_order.h"
#include "packs/name_pattern.h"
#include "platform/file_system.h"

namespace tarnwick {
namespace {

// As many entries as are read at once before the rest of a large folder is left to
// a thread of its own: starting a thread costs more than reading a few hundred entries.
constexpr std::size_t kEntriesReadAtOnce = 512;

using SortedNames = std::optional<std::vector<std::wstring>>;

SortedNames sorted(SortedNames names) {
  if (names) sortNames(*names);
  return names;
}

// A file where the folder should be can't be read as a folder, nor can a missing one.
SortedNames sortedSubFolders(const std::wstring& path) {
  if (!isFolder(path)) return std::nullopt;
  return sorted(listFolderEntries(path, EntryKind::Folder));
}

std::future<SortedNames> ready(SortedNames names) {
  std::promise<SortedNames> done;
  done.set_value(std::move(names));
  return done.get_future();
}

}  // namespace

FolderListing::FolderListing(std::wstring initialPath) : path_(std::move(initialPath)) {}

void FolderListing::readAhead(const std::wstring& path) {
  aheadPath_ = path;
  if (!isFolder(path)) {
    ahead_ = ready(std::nullopt);
    return;
  }
  FolderEntries entries(path, EntryKind::Folder);
  if (entries.readNext(kEntriesReadAtOnce)) {
    ahead_ = ready(sorted(entries.take()));
    return;
  }
  try {
    ahead_ = std::async(std::launch::async, [entries = std::move(entries)]() mutable {
      entries.readNext(static_cast<std::size_t>(-1));
      return sorted(entries.take());
    });
  } catch (const std::system_error&) {
    // No thread to spare: the folder is read when the path is set.
  }
}

bool FolderListing::setPath(const std::wstring& path) {
  // A reading ahead of another folder is of no use any more.
  auto ahead = std::move(ahead_);
  auto names = ahead.valid() && aheadPath_ == path ? ahead.get() : sortedSubFolders(path);
  if (!names) return false;
  path_ = path;
  names_ = std::move(*names);
  return true;
}

std::wstring FolderListing::item(int index) const {
  if (index == -1) return path_;
  if (index < 0 || index >= count()) return {};
  return path_ + L"\\" + names_[static_cast<size_t>(index)];
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
