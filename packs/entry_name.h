#pragma once
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "packs/import_types.h"

namespace tarnwick {

// The place of an entry of an archive inside the pack: its folders and its own name, each
// a name Windows can hold as it is.
using EntryPath = std::vector<std::wstring>;

// The longest name of a file or folder Windows keeps, and the longest entry name read at
// all: no pack path is that long, whatever folders the pack leaves out.
inline constexpr size_t kLongestPartName = 255;
inline constexpr size_t kLongestEntryName = 4096;

// Reads an entry's name as an archive gives it: "/" and "\" both separate folders, and one
// at the end only marks a folder. Refused: anything that could land outside the pack (a
// ".." part, an absolute path, a drive, a UNC or "\\?\" path, a ":" of a drive or a
// stream: OutsideThePack), a part Windows takes for a device (DeviceName), empty parts,
// parts Windows can't hold or would trim (<>"|?*, control characters, a trailing dot or
// space) and text that is no text (a lone surrogate): UnusableName; and names longer than
// the limits above: PathTooLong.
std::variant<EntryPath, ImportRefusal::Reason> entryPathOf(std::wstring_view name);

// The name with its letters in one case, as Windows compares file names ignoring case:
// ASCII, Latin-1, Latin Extended-A, Greek, Cyrillic and the full-width Latin letters. Any
// letter it misses still meets the file system's own comparison when its file is made.
std::wstring foldedName(std::wstring_view name);

}  // namespace tarnwick
