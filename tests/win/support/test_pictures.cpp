#include "support/test_pictures.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>

#include "support/fixtures.h"

namespace tarnwick::test {
// colours.txt: for each picture its name, width and height, and for one that decodes
// the 36 numbers of its grid (see picture_colours.sh).
const std::vector<TestPicture>& testPictures() {
  static const std::vector<TestPicture> pictures = [] {
    std::istringstream fields(readBytes(testPicturePath(L"colours.txt")).value_or(""));
    std::vector<TestPicture> read;
    for (std::string name; fields >> name;) {
      TestPicture& picture = read.emplace_back();
      picture.name.assign(name.begin(), name.end());
      fields >> picture.width >> picture.height;
      if (!picture.decodes()) continue;
      for (auto& cell : picture.grid) fields >> cell[0] >> cell[1] >> cell[2];
    }
    if (read.empty() || !fields.eof()) throw std::runtime_error("no test pictures: build the test_pictures target");
    return read;
  }();
  return pictures;
}

std::wstring testPicturePath(const std::wstring& name) { return TARNWICK_TEST_PICTURES L"\\" + name; }

Pixels readPixels(HBITMAP bitmap) {
  BITMAP shape{};
  if (bitmap == nullptr || ::GetObjectW(bitmap, sizeof shape, &shape) == 0) return {};
  Pixels pixels{shape.bmWidth, shape.bmHeight, {}};
  pixels.bgra.resize(static_cast<size_t>(shape.bmWidth) * shape.bmHeight);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, pixels.width, -pixels.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  const WindowDc screen(nullptr);
  if (::GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(pixels.height), pixels.bgra.data(), &info,
                  DIB_RGB_COLORS) != pixels.height) {
    return {};
  }
  for (auto& pixel : pixels.bgra) pixel &= 0x00FFFFFF;
  return pixels;
}

Pixels printClient(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  if (client.right <= 0 || client.bottom <= 0) return {};
  const WindowDc screen(nullptr);
  const UniqueBitmap target(::CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
  {
    const MemoryDc dc(screen.get());
    const SelectedObject selected(dc.get(), target.get());
    ::SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
  }
  return readPixels(target.get());
}

GridDifference compareWithReference(const Pixels& pixels, const TestPicture& picture) {
  if (pixels.width < kGridColumns || pixels.height < kGridRows) return {255, 255};
  GridDifference difference;
  for (int cell = 0; cell < kGridColumns * kGridRows; ++cell) {
    const int column = cell % kGridColumns, row = cell / kGridColumns;
    const int left = column * pixels.width / kGridColumns, right = (column + 1) * pixels.width / kGridColumns;
    const int top = row * pixels.height / kGridRows, bottom = (row + 1) * pixels.height / kGridRows;
    for (int channel = 0; channel < 3; ++channel) {
      double sum = 0;
      for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) sum += (pixels.at(x, y) >> (16 - 8 * channel)) & 0xFF;
      }
      const double off = std::fabs(sum / ((right - left) * (bottom - top)) - picture.grid[cell][channel]);
      difference.largest = std::max(difference.largest, off);
      difference.mean += off / (kGridColumns * kGridRows * 3);
    }
  }
  return difference;
}

std::string describe(const GridDifference& difference) {
  return "colours off by " + std::to_string(difference.largest) + " at most, " + std::to_string(difference.mean) +
         " on average";
}

}  // namespace tarnwick::test
