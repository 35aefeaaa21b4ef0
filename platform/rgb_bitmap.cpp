#include "platform/rgb_bitmap.h"

namespace tarnwick {

UniqueBitmap bitmapFromRgb(const std::uint8_t* rgb, int width, int height, SIZE canvas, COLORREF background) {
  if (width < 0 || height < 0 || canvas.cx < width || canvas.cy < height || canvas.cx < 1 || canvas.cy < 1 ||
      canvas.cx > 65535 || canvas.cy > 65535) {
    return {};
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = canvas.cx;
  info.bmiHeader.biHeight = -canvas.cy;  // top-down, as the picture's rows come
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) return {};

  const std::size_t stride = (static_cast<std::size_t>(canvas.cx) * 3 + 3) & ~std::size_t{3};
  const int left = (canvas.cx - width) / 2;
  const int top = (canvas.cy - height) / 2;
  for (int y = 0; y < canvas.cy; ++y) {
    auto* row = static_cast<std::uint8_t*>(bits) + stride * static_cast<std::size_t>(y);
    const bool pictureRow = y >= top && y < top + height;
    for (int x = 0; x < canvas.cx; ++x) {
      std::uint8_t* pixel = row + static_cast<std::size_t>(x) * 3;
      if (pictureRow && x >= left && x < left + width) {
        const std::uint8_t* from = rgb + (static_cast<std::size_t>(y - top) * width + (x - left)) * 3;
        pixel[0] = from[2];
        pixel[1] = from[1];
        pixel[2] = from[0];
      } else {
        pixel[0] = GetBValue(background);
        pixel[1] = GetGValue(background);
        pixel[2] = GetRValue(background);
      }
    }
  }
  ::GdiFlush();
  return bitmap;
}

}  // namespace tarnwick
