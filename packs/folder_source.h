#pragma once
#include <optional>
#include <string>

#include "packs/unpacking.h"

namespace tarnwick {

// Hands a folder's files and folders to `unpacking` as entries named
// "<the folder's own name>\...", copying each file's bytes. A link or junction anywhere
// in it (the folder itself too) refuses the folder: what it reaches isn't the folder's.
std::optional<ImportRefusal> copyFolder(const std::wstring& folder, Unpacking& unpacking);

// The name a dropped folder goes by: its own, or a drive's letter for a drive.
std::wstring folderNameOf(const std::wstring& folder);

}  // namespace tarnwick
