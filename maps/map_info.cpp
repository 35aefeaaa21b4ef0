#include "maps/map_info.h"

namespace tarnwick {

MapInfo readMapInfo(std::string_view fileBytes, const AnsiDecoder& decodeAnsi) {
  const MapFields fields = scanMapFields(fileBytes);
  MapInfo info;
  if (fields.name) info.name = decodeMapName(*fields.name, decodeAnsi);
  if (fields.startingPoints) info.players = decodePlayerCount(*fields.startingPoints);
  info.preview = decodeMapPreview(fields);
  return info;
}

std::optional<MapInfo> readNameAndPlayers(std::string_view firstBytes, bool wholeFile, const AnsiDecoder& decodeAnsi) {
  // A line cut short could read as another name or number.
  if (!wholeFile) firstBytes = firstBytes.substr(0, firstBytes.rfind('\n') + 1);
  const MapFields fields = scanMapFields(firstBytes, MapParts::NameAndPlayers);
  if (!wholeFile && !(fields.name && fields.startingPoints)) return std::nullopt;
  MapInfo info;
  if (fields.name) info.name = decodeMapName(*fields.name, decodeAnsi);
  if (fields.startingPoints) info.players = decodePlayerCount(*fields.startingPoints);
  return info;
}

std::wstring nameWithoutExtension(std::wstring_view fileName) {
  const std::size_t dot = fileName.rfind(L'.');
  return std::wstring(dot == std::wstring_view::npos || dot == 0 ? fileName : fileName.substr(0, dot));
}

}  // namespace tarnwick
