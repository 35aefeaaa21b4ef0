// Any bytes read as a map file: the reading ends, touches nothing outside its buffers
// (the sanitizers watch), and what it gives keeps to the rules of a map.
#include <cstdlib>

#include "maps/map_info.h"
#include "tests/native/toy_code_page.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const tarnwick::MapInfo info = tarnwick::readMapInfo(bytes, tarnwick::decodeToyCodePage);
  if (info.name && info.name->empty()) std::abort();
  if (info.players && (*info.players < 1 || *info.players > 8)) std::abort();
  // What the list reads from the first bytes alone is what the whole file says.
  for (const std::size_t cut : {size, size / 2}) {
    const auto start = tarnwick::readNameAndPlayers(bytes.substr(0, cut), cut == size, tarnwick::decodeToyCodePage);
    if (cut == size && !start) std::abort();
    if (start && (start->name != info.name || start->players != info.players)) std::abort();
  }
  if (info.preview) {
    const auto& preview = *info.preview;
    const auto pixels = static_cast<std::int64_t>(preview.width) * preview.height;
    if (preview.width < 1 || preview.height < 1 || pixels > tarnwick::kMaxPreviewPixels ||
        preview.rgb.size() != static_cast<std::size_t>(pixels) * 3) {
      std::abort();
    }
    const auto small = tarnwick::fitInBox(preview, 48, 24);
    if (small.width < 1 || small.width > 48 || small.height < 1 || small.height > 24 ||
        (small.width != 48 && small.height != 24)) {
      std::abort();
    }
  }
  return 0;
}
