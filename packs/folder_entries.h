#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/folder_walk.h"

namespace tarnwick {

enum class EntryKind { Folder, File };

// Names of the entries of one kind directly in a folder, leaving out hidden and
// system ones (the program keeps its own data in such entries), unsorted, read in as
// many parts as wanted.
class FolderEntries {
 public:
  FolderEntries(const std::wstring& folder, EntryKind kind);

  // Reads up to `most` further entries; true once the folder is read to its end.
  bool readNext(std::size_t most);
  // The names read; nothing when the folder can't be read at all.
  [[nodiscard]] std::optional<std::vector<std::wstring>> take();

 private:
  FolderWalk walk_;
  EntryKind kind_;
  std::vector<std::wstring> names_;
};

// The whole folder's names, as FolderEntries gives them.
std::optional<std::vector<std::wstring>> listFolderEntries(const std::wstring& folder, EntryKind kind);

}  // namespace tarnwick
