#include "maps/map_preview.h"

#include <algorithm>
#include <span>

#include "maps/base64.h"
#include "maps/lzo1x_decoder.h"

namespace tarnwick {
namespace {

// A whole number with an optional minus sign, within +/- 1e9.
std::optional<std::int64_t> wholeNumber(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  if (text.empty() || text.size() > 9) return std::nullopt;
  std::int64_t number = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + (c - '0');
  }
  return negative ? -number : number;
}

std::uint16_t littleEndian16(const std::uint8_t* bytes) {
  return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

}  // namespace

std::optional<std::pair<int, int>> previewDimensions(std::string_view sizeValue) {
  std::int64_t numbers[4]{};
  for (int i = 0; i < 4; ++i) {
    const std::size_t comma = i < 3 ? sizeValue.find(',') : sizeValue.size();
    if (comma == std::string_view::npos) return std::nullopt;
    const auto number = wholeNumber(sizeValue.substr(0, comma));
    if (!number) return std::nullopt;
    numbers[i] = *number;
    sizeValue.remove_prefix(std::min(comma + 1, sizeValue.size()));
  }
  const std::int64_t width = numbers[2], height = numbers[3];
  if (width < 1 || height < 1 || width * height > kMaxPreviewPixels) return std::nullopt;
  return std::pair{static_cast<int>(width), static_cast<int>(height)};
}

std::optional<RgbPicture> decodeMapPreview(const MapFields& fields) {
  if (!fields.previewSize || fields.previewPack.empty()) return std::nullopt;
  const auto dimensions = previewDimensions(*fields.previewSize);
  if (!dimensions) return std::nullopt;
  const auto packed = decodeBase64(fields.previewPack);
  if (!packed) return std::nullopt;

  RgbPicture picture;
  picture.width = dimensions->first;
  picture.height = dimensions->second;
  picture.rgb.resize(static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height) * 3);

  const std::span<const std::uint8_t> input(*packed);
  std::size_t in = 0;
  std::size_t out = 0;
  // Every chunk takes at least its four header bytes, so this ends.
  while (in < input.size()) {
    if (input.size() - in < 4) return std::nullopt;
    const std::size_t compressed = littleEndian16(&input[in]);
    const std::size_t uncompressed = littleEndian16(&input[in + 2]);
    in += 4;
    if (input.size() - in < compressed) return std::nullopt;
    if (picture.rgb.size() - out < uncompressed) return std::nullopt;
    const auto decoded = decodeLzo1x(input.subspan(in, compressed),
                                     std::span<std::uint8_t>(picture.rgb).subspan(out, uncompressed));
    if (decoded.result != Lzo1xResult::Ok || decoded.written != uncompressed) return std::nullopt;
    in += compressed;
    out += uncompressed;
  }
  if (out != picture.rgb.size()) return std::nullopt;
  return picture;
}

RgbPicture fitInBox(const RgbPicture& picture, int boxWidth, int boxHeight) {
  RgbPicture fitted;
  if (picture.width < 1 || picture.height < 1 || boxWidth < 1 || boxHeight < 1 ||
      picture.rgb.size() != static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height) * 3) {
    return fitted;
  }
  // Width-bound or height-bound, whichever keeps the whole picture in the box.
  const std::int64_t w = picture.width, h = picture.height;
  if (w * boxHeight >= h * boxWidth) {
    fitted.width = boxWidth;
    fitted.height = static_cast<int>(std::max<std::int64_t>(1, (h * boxWidth + w / 2) / w));
  } else {
    fitted.height = boxHeight;
    fitted.width = static_cast<int>(std::max<std::int64_t>(1, (w * boxHeight + h / 2) / h));
  }
  fitted.rgb.resize(static_cast<std::size_t>(fitted.width) * static_cast<std::size_t>(fitted.height) * 3);
  for (int y = 0; y < fitted.height; ++y) {
    const std::int64_t top = y * h / fitted.height;
    const std::int64_t bottom = std::max(top + 1, (y + 1) * h / fitted.height);
    for (int x = 0; x < fitted.width; ++x) {
      const std::int64_t left = x * w / fitted.width;
      const std::int64_t right = std::max(left + 1, (x + 1) * w / fitted.width);
      std::uint64_t sum[3]{};
      for (std::int64_t sy = top; sy < bottom; ++sy) {
        const std::uint8_t* row = &picture.rgb[static_cast<std::size_t>((sy * w + left) * 3)];
        for (std::int64_t sx = left; sx < right; ++sx, row += 3) {
          sum[0] += row[0];
          sum[1] += row[1];
          sum[2] += row[2];
        }
      }
      const std::uint64_t count = static_cast<std::uint64_t>((bottom - top) * (right - left));
      std::uint8_t* pixel = &fitted.rgb[(static_cast<std::size_t>(y) * fitted.width + x) * 3];
      for (int c = 0; c < 3; ++c) pixel[c] = static_cast<std::uint8_t>((sum[c] + count / 2) / count);
    }
  }
  return fitted;
}

}  // namespace tarnwick
