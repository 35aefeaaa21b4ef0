#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/test_pictures.h"

namespace tarnwick::test {

// A bitmap's pixels as the screen would show them, top row first.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> bgra;  // 0x00RRGGBB
  [[nodiscard]] std::uint32_t at(int x, int y) const { return bgra[static_cast<size_t>(y) * width + x]; }
};

// Nothing (width 0) when the handle isn't a bitmap.
Pixels readPixels(HBITMAP bitmap);

// What a window paints of its client area when asked to print itself there.
Pixels printClient(HWND window);

// How far the pixels' colours lie from the picture's reference, over the picture's
// grid: the largest and the mean difference of one colour channel of one cell.
struct GridDifference {
  double largest = 0;
  double mean = 0;
};
GridDifference compareWithReference(const Pixels& pixels, const TestPicture& picture);

std::string describe(const GridDifference& difference);

}  // namespace tarnwick::test
