#pragma once
#include <optional>
#include <string>

#include "maps/map_info.h"

namespace tarnwick {

// A map file read for the map list: its name (in the system's ANSI code page unless
// it says otherwise), players and preview. Nothing when the file can't be read, or
// is too large to be a map. `buffer` holds the bytes, kept for the next file's reading.
std::optional<MapInfo> readMapFile(const std::wstring& path, std::string& buffer);

// The same without the preview: the file is read only as far as it takes to find the
// name and players.
std::optional<MapInfo> readMapNameAndPlayers(const std::wstring& path, std::string& buffer);

}  // namespace tarnwick
