#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/unique_handle.h"

namespace tarnwick {

// A picture given as R, G, B bytes, rows from the top, no padding; an empty one has
// no pixels.
struct RgbView {
  const std::uint8_t* rgb = nullptr;
  int width = 0;
  int height = 0;
};

// A new 24-bit bitmap of `size` whose rows run from the top (the order pictures are
// decoded in), blue, green, red a pixel, each row padded to four bytes; its pixels and
// its row length in `pixels`. Empty when the system can't make it.
struct BgrPixels {
  std::uint8_t* first = nullptr;
  std::size_t stride = 0;
};
UniqueBitmap newTopDownBitmap(SIZE size, BgrPixels& pixels);

// A bitmap of cells of `cell` size side by side, one per picture, each filled with
// `background` with its picture in the middle. Empty when a picture is larger than a
// cell or the bitmap can't be made. (One bitmap of many cells goes into an image list
// in one step.)
UniqueBitmap bitmapFromRgb(std::span<const RgbView> pictures, SIZE cell, COLORREF background);

}  // namespace tarnwick
