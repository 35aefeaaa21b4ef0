#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tarnwick {

// The limits of one import; tests make them small.
struct ImportLimits {
  uint64_t maxEntries = 100'000;
  uint64_t maxBytes = uint64_t{4} << 30;          // unpacked bytes, counted as written
  uint64_t keptFreeBytes = uint64_t{100} << 20;   // the drive keeps at least this free
};

// Told as files are unpacked: how many so far, and of how many when the source's
// listing says so.
using ImportProgress = std::function<void(size_t done, std::optional<size_t> all)>;

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
    UnusableName,          // entry: <>"|?*, control characters, trailing dot or space, empty, unreadable
    PathTooLong,           // entry: too long once joined to the pack's final place
    Duplicate,             // entry: a second entry of the same name, or of one differing only in case
    FileAndFolder,         // entry: a file and a folder of one name
    Link,                  // entry: a symbolic or hard link or another special file (or a folder
                           // holding a link or junction)
    TooManyEntries,
    TooLarge,              // more unpacked bytes than the limit
    DiskFull,              // the drive would keep less than the kept free bytes
    OutOfMemory,           // the decoder couldn't get its memory
    NotReadable,           // the source can't be read (error: the system's code)
    NotWritable,           // entry: what couldn't be written in ZAzod (error: the system's code)
    FolderIsTheGame,       // a dropped folder that is ZAzod, inside it, or holds it (the game folder
                           // and the folders above it: they would be copied into themselves)
    Empty,                 // holds no file at all
  };
  Reason reason;
  std::wstring entry;    // the first entry at fault, as the archive names it; empty where none
  uint32_t error = 0;    // the system's error code where there is one (NO_ERROR: 0)
};

}  // namespace tarnwick
