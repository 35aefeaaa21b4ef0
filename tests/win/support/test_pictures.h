#pragma once
// The picture files drawn for the tests, and the pixels the program shows of them.
#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tarnwick::test {

// One picture file scripts/make-pictures wrote for the tests.
struct TestPicture {
  std::wstring name;  // e.g. L"bmp4rle.bmp"
  int width = 0;      // 0 for the file that must not decode
  int height = 0;
  // Mean colour (red, green, blue) of each cell of a 4 x 3 grid over the picture, left
  // to right, top to bottom, as another decoder reads the file.
  std::array<std::array<int, 3>, 12> grid{};
  [[nodiscard]] bool decodes() const { return width > 0; }
};

inline constexpr int kGridColumns = 4;
inline constexpr int kGridRows = 3;

// Every picture scripts/make-pictures listed, in the listing's order; throws when the
// listing is missing.
const std::vector<TestPicture>& testPictures();
std::wstring testPicturePath(const std::wstring& name);

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
