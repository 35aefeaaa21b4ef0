#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "maps/map_name.h"
#include "maps/map_preview.h"

namespace tarnwick {

// What the map list shows of one map file.
struct MapInfo {
  std::optional<std::wstring> name;  // nothing: the list shows the file name instead
  std::optional<int> players;        // 1..8
  std::optional<RgbPicture> preview;
};

// Reads a map file's bytes (written by anyone: any bytes at all are read safely).
MapInfo readMapInfo(std::string_view fileBytes, const AnsiDecoder& decodeAnsi);

// The name and players from a map file's first bytes, `wholeFile` when they are all of
// it; nothing while the whole lines among them may not hold both yet. (Of a key given
// twice the first counts, so what they hold is what the whole file says.)
std::optional<MapInfo> readNameAndPlayers(std::string_view firstBytes, bool wholeFile, const AnsiDecoder& decodeAnsi);

// The file name without its extension: what a map without a name is called.
std::wstring nameWithoutExtension(std::wstring_view fileName);

}  // namespace tarnwick
