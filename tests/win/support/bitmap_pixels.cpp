#include "support/bitmap_pixels.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tarnwick::test {
namespace {

BITMAPINFO topDown32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace

Pixels readPixels(HBITMAP bitmap) {
  BITMAP shape{};
  if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof shape, &shape) == 0) return {};
  Pixels pixels{shape.bmWidth, shape.bmHeight, {}};
  pixels.bgra.resize(static_cast<size_t>(pixels.width) * pixels.height);
  BITMAPINFO info = topDown32(pixels.width, pixels.height);
  HDC screen = ::GetDC(nullptr);
  const int rows = ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(pixels.height), pixels.bgra.data(), &info,
                               DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, screen);
  if (rows != pixels.height) return {};
  for (auto& pixel : pixels.bgra) pixel &= 0x00FFFFFF;
  return pixels;
}

Pixels printClient(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  const int width = client.right, height = client.bottom;
  if (width <= 0 || height <= 0) return {};
  BITMAPINFO info = topDown32(width, height);
  void* bits = nullptr;
  HBITMAP target = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC dc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ previous = ::SelectObject(dc, target);
  ::SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  ::GdiFlush();
  ::SelectObject(dc, previous);
  ::DeleteDC(dc);
  Pixels pixels = readPixels(target);
  ::DeleteObject(target);
  return pixels;
}

GridDifference compareWithReference(const Pixels& pixels, const TestPicture& picture) {
  GridDifference difference;
  if (pixels.width < kGridColumns || pixels.height < kGridRows) return {255, 255};
  double total = 0;
  int channels = 0;
  for (int row = 0; row < kGridRows; ++row) {
    for (int column = 0; column < kGridColumns; ++column) {
      const int left = column * pixels.width / kGridColumns, right = (column + 1) * pixels.width / kGridColumns;
      const int top = row * pixels.height / kGridRows, bottom = (row + 1) * pixels.height / kGridRows;
      double sum[3] = {0, 0, 0};
      for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
          const std::uint32_t pixel = pixels.at(x, y);
          sum[0] += (pixel >> 16) & 0xFF;
          sum[1] += (pixel >> 8) & 0xFF;
          sum[2] += pixel & 0xFF;
        }
      }
      const double count = static_cast<double>(right - left) * (bottom - top);
      const auto& expected = picture.grid[static_cast<size_t>(row * kGridColumns + column)];
      for (int channel = 0; channel < 3; ++channel) {
        const double off = std::fabs(sum[channel] / count - expected[static_cast<size_t>(channel)]);
        difference.largest = std::max(difference.largest, off);
        total += off;
        ++channels;
      }
    }
  }
  difference.mean = total / channels;
  return difference;
}

std::string describe(const GridDifference& difference) {
  char text[96];
  std::snprintf(text, sizeof text, "colours off by %.1f at most, %.1f on average", difference.largest,
                difference.mean);
  return text;
}

}  // namespace tarnwick::test
