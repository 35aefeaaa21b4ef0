#include "platform/rgb_bitmap.h"

#include <cstring>

namespace tarnwick {

UniqueBitmap newTopDownBitmap(SIZE size, BgrPixels& pixels) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size.cx;
  info.bmiHeader.biHeight = -size.cy;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) return {};
  pixels = {static_cast<std::uint8_t*>(bits), (static_cast<std::size_t>(size.cx) * 3 + 3) & ~std::size_t{3}};
  return bitmap;
}

UniqueBitmap bitmapFromRgb(std::span<const RgbView> pictures, SIZE cell, COLORREF background) {
  if (pictures.empty() || cell.cx < 1 || cell.cy < 1 || cell.cy > 65535 ||
      static_cast<std::size_t>(cell.cx) * pictures.size() > 65535) {
    return {};
  }
  for (const RgbView& picture : pictures) {
    if (picture.width < 0 || picture.height < 0 || picture.width > cell.cx || picture.height > cell.cy) return {};
  }
  const int width = static_cast<int>(cell.cx * static_cast<LONG>(pictures.size()));
  BgrPixels pixels;
  UniqueBitmap bitmap = newTopDownBitmap(SIZE{width, cell.cy}, pixels);
  if (!bitmap) return {};
  const std::size_t stride = pixels.stride;
  auto* const first = pixels.first;
  for (int x = 0; x < width; ++x) {
    first[x * 3] = GetBValue(background);
    first[x * 3 + 1] = GetGValue(background);
    first[x * 3 + 2] = GetRValue(background);
  }
  for (int y = 1; y < cell.cy; ++y) std::memcpy(first + stride * static_cast<std::size_t>(y), first, stride);

  for (std::size_t k = 0; k < pictures.size(); ++k) {
    const RgbView& picture = pictures[k];
    const int left = static_cast<int>(k) * cell.cx + (cell.cx - picture.width) / 2;
    const int top = (cell.cy - picture.height) / 2;
    for (int y = 0; y < picture.height; ++y) {
      std::uint8_t* to = first + stride * static_cast<std::size_t>(top + y) + static_cast<std::size_t>(left) * 3;
      const std::uint8_t* from = picture.rgb + static_cast<std::size_t>(y) * picture.width * 3;
      for (int x = 0; x < picture.width; ++x, to += 3, from += 3) {
        to[0] = from[2];
        to[1] = from[1];
        to[2] = from[0];
      }
    }
  }
  ::GdiFlush();
  return bitmap;
}

}  // namespace tarnwick
