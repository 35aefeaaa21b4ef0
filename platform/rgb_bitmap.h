#pragma once
#include <windows.h>

#include <cstdint>

#include "platform/unique_handle.h"

namespace tarnwick {

// A bitmap of `canvas` size filled with `background`, with a picture given as R, G, B
// bytes (rows from the top, no padding) drawn in its middle. Empty when the picture
// doesn't fit or the bitmap can't be made.
UniqueBitmap bitmapFromRgb(const std::uint8_t* rgb, int width, int height, SIZE canvas, COLORREF background);

}  // namespace tarnwick
