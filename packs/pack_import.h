#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "packs/import_types.h"

namespace tarnwick {

// Importing a pack from a downloaded archive (.zip, .7z, .rar) or from a folder into the
// pack folder "ZAzod", so that it lists and installs like any other pack.
//
// Everything of the source is treated as hostile: every entry's name is checked before
// anything is written, sizes are counted as the bytes arrive (what an archive claims may
// lie), and the pack is unpacked into a hidden folder of the program's own inside ZAzod
// first. Only when the whole source is unpacked and checked is it moved to its place, so a
// pack is listed whole or not at all; a refused source leaves nothing behind.

struct ImportRequest {
  std::wstring source;   // an archive file or a folder
  std::wstring gameDir;  // a known game folder; ZAzod inside it exists or is made
  ImportLimits limits;
  ImportProgress progress;
};

// One pack made by an import.
struct ImportedPack {
  std::wstring name;                    // the pack's folder name in ZAzod ("X", "X (2)" ...)
  bool hasMaps = false;                 // holds a *.map, *.yrm or *.mpr at its top
  std::optional<std::wstring> unrecordableName;  // a file name the record can't hold: rename before install
};

struct ImportOutcome {
  std::vector<ImportedPack> packs;         // in the order made; empty when refused
  bool entriesLeftOut = false;             // a collection: entries outside its packs stayed out
  std::optional<ImportRefusal> refusal;    // set when nothing was imported
};

// Makes ZAzod where the game folder has none, copying the game's own "ra2md.csf" into
// it as the pristine copy a removal restores. The system's error code, or NO_ERROR.
[[nodiscard]] DWORD makePackFolder(const std::wstring& gameDir);

// Imports one archive or folder. The caller holds the game folder's lock.
[[nodiscard]] ImportOutcome importPack(const ImportRequest& request);

// Deletes what an import ended half-way (a crash, a kill) left in its hidden folder.
// Called at start-up by the program holding the game folder's lock.
void removeUnfinishedImports(const std::wstring& gameDir);

}  // namespace tarnwick
