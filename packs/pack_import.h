#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tarnwick {

// Importing a pack from a downloaded archive (.zip, .7z, .rar) or from a folder into the
// pack folder "ZAzod", so that it lists and installs like any other pack.
//
// Everything of the source is treated as hostile: every entry's name is checked before
// anything is written, sizes are counted as the bytes arrive (what an archive claims may
// lie), and the pack is unpacked into a hidden folder of the program's own inside ZAzod
// first. Only when the whole source is unpacked and checked is it moved to its place, so a
// pack is listed whole or not at all; a refused source leaves nothing behind.

// The limits of one import; tests make them small.
struct ImportLimits {
  uint64_t maxEntries = 100'000;
  uint64_t maxBytes = uint64_t{4} << 30;          // unpacked bytes, counted as written
  uint64_t keptFreeBytes = uint64_t{100} << 20;   // the drive keeps at least this free
};

// Told as files are unpacked: how many so far, and of how many when the source's
// listing says so.
using ImportProgress = std::function<void(size_t done, std::optional<size_t> all)>;

struct ImportRequest {
  std::wstring source;   // an archive file or a folder
  std::wstring gameDir;  // a known game folder; ZAzod inside it exists or is made
  ImportLimits limits;
  ImportProgress progress;
};

// Why a source was refused as a whole. Nothing of it was left in ZAzod.
struct ImportRefusal {
  enum class Reason {
    NotAnArchive,          // neither a folder nor an archive of a known format
    Damaged,               // cut short, or fails its checksum
    Encrypted,             // password-protected: to unpack by hand
    MultiVolume,           // one part of a multi-volume archive
    UnknownCompression,
    OutsideThePack,        // entry: "..", absolute, drive, UNC, "\\?\", ":" (streams)
    DeviceName,            // entry: a name Windows gives a device
    UnusableName,          // entry: <>:"|?*, control characters, trailing dot or space, empty
    PathTooLong,           // entry: too long once joined to the pack's final place
    Duplicate,             // entry: a second entry of the same name, or of one differing only in case
    FileAndFolder,         // entry: a file and a folder of one name
    Link,                  // entry: a symbolic or hard link (or a folder holding a link or junction)
    TooManyEntries,
    TooLarge,              // more unpacked bytes than the limit
    DiskFull,              // the drive would keep less than the kept free bytes
    OutOfMemory,           // the decoder couldn't get its memory
    NotReadable,           // the source can't be read (error: the system's code)
    NotWritable,           // file: what couldn't be written in ZAzod (error: the system's code)
    FolderIsTheGame,       // a dropped folder that is the game folder, ZAzod or inside ZAzod
  };
  Reason reason;
  std::wstring entry;    // the first entry at fault, as the archive names it; empty where none
  DWORD error = NO_ERROR;
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
