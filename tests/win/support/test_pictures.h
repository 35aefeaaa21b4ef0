#pragma once
#include <windows.h>

#include <array>
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
const TestPicture& testPicture(const std::wstring& name);
std::wstring testPicturePath(const std::wstring& name);

}  // namespace tarnwick::test
