// Pictures from strangers' packs: what their headers claim, and how far decoding a
// thumbnail may shrink them.
#include <gtest/gtest.h>

#include "platform/picture_header.h"
#include "platform/thumbnail_scaling.h"

namespace tarnwick {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint8_t byte(std::uint32_t value) { return static_cast<std::uint8_t>(value); }

// A BMP of `headerSize`, its pixel data `dataBytes` long.
Bytes bmp(std::uint32_t headerSize, std::int32_t width, std::int32_t height, int bits, std::uint32_t compression,
          std::size_t dataBytes) {
  Bytes bytes(14 + headerSize + dataBytes, 0x55);
  std::fill_n(bytes.begin(), 14 + headerSize, 0);
  const std::size_t field = headerSize == 12 ? 2 : 4;  // the first header has 16-bit sizes
  // where each field goes, its value and its length; the first header has no compression
  const std::tuple<std::size_t, std::int64_t, std::size_t> fields[] = {
      {0, 0x4D42, 2},           {10, 14 + headerSize, 4}, {14, headerSize, 4},
      {18, width, field},       {18 + field, height, field},
      {20 + 2 * field, bits, 2}, {30, compression, headerSize >= 20 ? 4u : 0u}};
  for (const auto& [at, value, length] : fields) {
    for (std::size_t i = 0; i < length; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
  return bytes;
}

// A JPEG: start of image, the segments given as (marker, length of content) with contents
// that look like markers and huge sizes, then a frame header of `frameMarker`, padded with
// 0x80 to `fileSize`, or cut off there.
Bytes jpeg(std::uint32_t width, std::uint32_t height, std::vector<std::pair<std::uint8_t, std::uint32_t>> segments,
           std::size_t fileSize, std::uint8_t frameMarker = 0xC0) {
  Bytes bytes = {0xFF, 0xD8};
  for (const auto& [marker, length] : segments) {
    bytes.insert(bytes.end(), {0xFF, marker, byte((length + 2) >> 8), byte(length + 2)});
    bytes.resize(bytes.size() + length, 0xFF);
  }
  bytes.insert(bytes.end(),
               {0xFF, frameMarker, 0, 11, 8, byte(height >> 8), byte(height), byte(width >> 8), byte(width), 3});
  bytes.resize(fileSize, 0x80);
  return bytes;
}

TEST(PictureHeader, ReadsTheClaimedSizeAndRefusesAbsurdOnes) {
  using enum PictureVerdict;
  Bytes withFill = jpeg(320, 240, {{0xE0, 14}}, 3000);
  withFill.insert(withFill.begin() + 2, {0xFF, 0xFF, 0x01, 0xFF, 0xD0});  // fill bytes, markers without length
  // what, the file, the verdict and the size claimed
  const std::vector<std::tuple<const char*, Bytes, PictureVerdict, std::uint32_t, std::uint32_t>> cases = {
      {"bmp rows top down", bmp(40, 3, -2, 24, 0, 24), Sound, 3, 2},
      {"bmp first header", bmp(12, 5, 4, 8, 0, 32 + 3 * 256), Sound, 5, 4},
      {"bmp last row unpadded", bmp(40, 3, 2, 24, 0, 12 + 9), Sound, 3, 2},
      {"bmp a row missing", bmp(40, 3, 2, 24, 0, 12), Damaged, 0, 0},
      {"bmp 2147483647 x 1", bmp(40, 2147483647, 1, 24, 0, 64), TooLarge, 2147483647, 1},
      {"bmp lowest height", bmp(40, 1, INT32_MIN, 24, 0, 64), TooLarge, 1, 2147483648u},
      {"bmp 8193 x 8193 run-length", bmp(40, 8193, 8193, 8, 1, 70000), TooLarge, 8193, 8193},
      {"bmp 65535 x 1024 run-length", bmp(40, 65535, 1024, 8, 1, 66000), Sound, 65535, 1024},
      {"bmp run-length beyond its file", bmp(40, 2000, 2000, 8, 1, 200), Damaged, 0, 0},
      {"bmp negative width", bmp(40, -3, 2, 24, 0, 64), Damaged, 0, 0},
      {"bmp unknown header size", bmp(41, 3, 2, 24, 0, 64), Damaged, 0, 0},
      {"bmp no such pixel depth", bmp(40, 3, 2, 7, 0, 64), Damaged, 0, 0},
      {"bmp header cut off", {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 3}, Damaged, 0, 0},
      {"jpeg fill bytes", withFill, Sound, 320, 240},
      {"jpeg progressive", jpeg(800, 600, {{0xC4, 30}}, 3000, 0xC2), Sound, 800, 600},
      {"jpeg after large metadata", jpeg(4000, 3000, {{0xE1, 65000}, {0xE2, 65000}}, 140000), Sound, 4000, 3000},
      {"jpeg 65535 x 65535", jpeg(65535, 65535, {}, 5000000), TooLarge, 65535, 65535},
      {"jpeg 8000 x 8000 in 2 kB", jpeg(8000, 8000, {}, 2000), Damaged, 0, 0},
      {"jpeg zero width", jpeg(0, 480, {}, 3000), Damaged, 0, 0},
      {"jpeg scan before frame", jpeg(640, 480, {{0xDA, 10}}, 3000), Damaged, 0, 0},
      {"jpeg cut in a segment", jpeg(640, 480, {{0xE1, 5000}}, 3000), Damaged, 0, 0},
      {"jpeg cut in its frame header", jpeg(640, 480, {}, 8), Damaged, 0, 0},
  };
  for (const auto& [what, file, verdict, width, height] : cases) {
    const PictureClaim claim = readPictureClaim(PictureBytesInMemory(file));
    // the size a damaged file claims is of no matter
    const auto size = width != 0 ? std::pair(claim.width, claim.height) : std::pair(0u, 0u);
    EXPECT_EQ(std::tuple(claim.verdict, size), std::tuple(verdict, std::pair(width, height))) << what;
  }
}

TEST(JpegScale, PicksTheSmallestReductionThatStillCoversTheSlot) {
  const std::uint32_t cases[][5] = {  // picture, slot, denominator
      {6000, 4000, 105, 65, 8}, {840, 520, 105, 65, 8}, {840, 512, 105, 65, 4}, {833, 513, 105, 65, 8},
      {832, 520, 105, 65, 4},   {640, 480, 105, 65, 4}, {320, 240, 105, 65, 2}, {210, 130, 105, 65, 2},
      {208, 400, 105, 65, 1},   {100, 50, 105, 65, 1},  {6000, 60, 105, 65, 1}, {65500, 65500, 1, 1, 8},
      {0, 0, 105, 65, 1},       {640, 480, 0, 65, 1}};
  for (const auto& [width, height, slotWidth, slotHeight, denominator] : cases) {
    EXPECT_EQ(jpegScaleDenominator(width, height, slotWidth, slotHeight), static_cast<int>(denominator))
        << width << "x" << height << " into " << slotWidth << "x" << slotHeight;
  }
}

}  // namespace
}  // namespace tarnwick
