#include "platform/thumbnail_scaling.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace tarnwick {
namespace {

struct ScaleCase {
  std::uint32_t width, height, slotWidth, slotHeight;
  int denominator;
};

TEST(JpegScale, PicksTheSmallestReductionThatStillCoversTheSlot) {
  const std::vector<ScaleCase> cases = {
      {6000, 4000, 105, 65, 8}, {840, 520, 105, 65, 8}, {840, 512, 105, 65, 4}, {833, 513, 105, 65, 8},
      {832, 520, 105, 65, 4},   {640, 480, 105, 65, 4}, {320, 240, 105, 65, 2}, {210, 130, 105, 65, 2},
      {208, 400, 105, 65, 1},   {100, 50, 105, 65, 1},  {6000, 60, 105, 65, 1}, {65500, 65500, 1, 1, 8},
      {0, 0, 105, 65, 1},       {640, 480, 0, 65, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(jpegScaleDenominator(c.width, c.height, c.slotWidth, c.slotHeight), c.denominator)
        << c.width << "x" << c.height << " into " << c.slotWidth << "x" << c.slotHeight;
  }
}

// Source pixels are (x, y, 0), so each target pixel tells which ones it took.
struct RowScaleCase {
  std::uint32_t sourceWidth, sourceHeight, targetWidth, targetHeight;
  std::vector<std::uint8_t> expected;  // first and second channel of each target pixel, row by row
};

TEST(RowScaler, AveragesWhereItShrinksAndRepeatsWhereItGrows) {
  const std::vector<RowScaleCase> cases = {
      {2, 2, 2, 2, {0, 0, 1, 0, 0, 1, 1, 1}},
      {4, 2, 2, 1, {1, 1, 3, 1}},  // means of 0,1 and 2,3 (rounded half up), of rows 0 and 1
      {3, 3, 2, 2, {1, 1, 2, 1, 1, 2, 2, 2}},
      {1, 2, 3, 4, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1}},
      {5, 1, 2, 2, {1, 0, 4, 0, 1, 0, 4, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.sourceWidth << "x" << c.sourceHeight << " to " << c.targetWidth << "x"
                                    << c.targetHeight);
    const std::size_t stride = c.targetWidth * 3 + 1;
    std::vector<std::uint8_t> target(stride * c.targetHeight, 0xEE);
    RowScaler scaler(c.sourceWidth, c.sourceHeight, c.targetWidth, c.targetHeight, target.data(), stride);
    for (std::uint32_t y = 0; y <= c.sourceHeight; ++y) {  // one row too many, which is ignored
      EXPECT_EQ(scaler.done(), y == c.sourceHeight);
      std::vector<std::uint8_t> row;
      for (std::uint32_t x = 0; x < c.sourceWidth; ++x) row.insert(row.end(), {std::uint8_t(x), std::uint8_t(y), 0});
      scaler.addRow(row.data());
    }
    std::vector<std::uint8_t> got;
    for (std::uint32_t y = 0; y < c.targetHeight; ++y) {
      for (std::uint32_t x = 0; x < c.targetWidth; ++x) {
        const std::uint8_t* pixel = &target[y * stride + x * 3];
        got.insert(got.end(), {pixel[0], pixel[1]});
      }
      EXPECT_EQ(target[y * stride + stride - 1], 0xEE) << "padding untouched";
    }
    EXPECT_EQ(got, c.expected);
  }
}

}  // namespace
}  // namespace tarnwick
