#pragma once
#include <optional>
#include <string>
#include <vector>

namespace tarnwick {

enum class EntryKind { Folder, File };

// Names of the entries of one kind directly in a folder, leaving out hidden and
// system ones (the program keeps its own data in such entries), unsorted.
// Nothing when the folder can't be read at all.
std::optional<std::vector<std::wstring>> listFolderEntries(const std::wstring& folder, EntryKind kind);

}  // namespace tarnwick
