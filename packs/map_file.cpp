#include "packs/map_file.h"

#include "platform/code_page.h"
#include "platform/file_bytes.h"

namespace tarnwick {
namespace {

// Maps run to a few megabytes, the largest preview to some 16 MB of base64; a file past
// this is something else.
constexpr std::size_t kLargestMap = 32u << 20;

}  // namespace

std::optional<MapInfo> readMapFile(const std::wstring& path, std::string& buffer) {
  if (!readFileInto(path, kLargestMap, buffer)) return std::nullopt;
  return readMapInfo(buffer, [](std::string_view bytes) { return fromAnsi(bytes); });
}

std::optional<MapInfo> readMapNameAndPlayers(const std::wstring& path, std::string& buffer) {
  std::optional<MapInfo> info;
  const auto enough = [&info](std::string_view bytes, bool whole) {
    info = readNameAndPlayers(bytes, whole, [](std::string_view text) { return fromAnsi(text); });
    return info.has_value();
  };
  if (!readFileStart(path, kLargestMap, buffer, enough)) return std::nullopt;
  return info;
}

}  // namespace tarnwick
