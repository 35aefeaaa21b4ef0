#pragma once
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "maps/map_fields.h"

namespace tarnwick {

// The largest preview read, in pixels; larger sizes count as no preview.
inline constexpr std::int64_t kMaxPreviewPixels = 4'000'000;

// A picture in R, G, B bytes, rows from the top, no padding.
struct RgbPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
};

// The width and height of [Preview] Size=x,y,w,h; nothing unless it is four whole
// numbers with w and h from 1 up and w*h within kMaxPreviewPixels.
std::optional<std::pair<int, int>> previewDimensions(std::string_view sizeValue);

// The preview a map carries: [PreviewPack]'s values joined and read as base64 give a
// series of chunks, each a little-endian 16-bit compressed size, a 16-bit uncompressed
// size and that many bytes of a self-contained LZO1X block, which must decode to exactly
// that size. The chunks' output, and nothing more, is the width*height*3 bytes of the
// picture. Any other bytes (a pack hidden on purpose too) mean no preview.
std::optional<RgbPicture> decodeMapPreview(const MapFields& fields);

// The picture shrunk (or grown) to fit in a box, keeping its aspect ratio, each pixel
// the mean of the pixels it covers; at least 1x1.
RgbPicture fitInBox(const RgbPicture& picture, int boxWidth, int boxHeight);

}  // namespace tarnwick
