#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// What a second program hands to the program that manages its game folder: the game
// folder it means, then the paths it was started with, as one message's data. Each is
// UTF-16 (little-endian) ending in a NUL. The data comes from any program on the desktop,
// so it is read as hostile: anything not shaped so is no hand-over at all.

// The data's mark: this program's hand-over, of this layout.
inline constexpr std::uintptr_t kHandOverMark = 0x5477'6B01;
// A command line holds at most 32767 characters, and so at most this many paths.
inline constexpr size_t kHandOverMaxChars = 32768;
inline constexpr size_t kHandOverMaxPaths = 4096;

struct HandOver {
  std::wstring gameDir;
  std::vector<std::wstring> paths;
};

// The hand-over in parts, in order, each within the limits of one message. A path too
// long for any message gets a part of its own (which the receiver refuses).
std::vector<HandOver> handOverParts(const HandOver& all);

// The data of one part.
std::string encodeHandOver(const HandOver& part);

// The game folder and the paths, or nothing unless the data is one well-formed
// hand-over: an even number of bytes, no more than the limits, every text non-empty,
// NUL-ended, of whole UTF-16 characters without control characters, every one a full
// path ("X:\..." or "\\..."), and at least one path.
std::optional<HandOver> decodeHandOver(std::string_view data);

}  // namespace tarnwick
