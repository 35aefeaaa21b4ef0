#pragma once
#include <optional>
#include <string_view>
#include <vector>

namespace tarnwick {

// The values a map file's INI text holds for the map list, as raw bytes (views into
// the text). Sections and keys ignore case, ';' starts a comment, lines end in CR LF or
// LF, blanks around keys and values don't count. A section that appears twice goes on
// where it left off; of a key given twice in a section, the first counts.
struct MapFields {
  std::optional<std::string_view> name;            // [Basic] Name=
  std::optional<std::string_view> startingPoints;  // [Header] NumberStartingPoints=
  std::optional<std::string_view> previewSize;     // [Preview] Size=
  // [PreviewPack] 1=, 2=, ... in key order, up to the first number missing.
  std::vector<std::string_view> previewPack;
};

// What a scan reads: the list's rows need only the name and players; the preview is
// read when its row is drawn.
enum class MapParts { NameAndPlayers, All };

MapFields scanMapFields(std::string_view text, MapParts parts = MapParts::All);

}  // namespace tarnwick
