#include "platform/picture_header.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

namespace tarnwick {
namespace {

// Little- and big-endian numbers at a place in a header read into memory.
std::uint32_t littleEndian(const std::uint8_t* at, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | at[i];
  return value;
}

std::uint32_t bigEndian16(const std::uint8_t* at) { return (std::uint32_t{at[0]} << 8) | at[1]; }

PictureClaim damaged() { return {}; }

// The verdict on a claimed size, the file's own limits aside.
PictureClaim claimOf(std::uint64_t width, std::uint64_t height) {
  if (width == 0 || height == 0) return damaged();
  PictureClaim claim{PictureVerdict::Sound, static_cast<std::uint32_t>(std::min<std::uint64_t>(width, UINT32_MAX)),
                     static_cast<std::uint32_t>(std::min<std::uint64_t>(height, UINT32_MAX))};
  if (width > kMaxPictureSide || height > kMaxPictureSide || width * height > kMaxPicturePixels) {
    claim.verdict = PictureVerdict::TooLarge;
  }
  return claim;
}

PictureClaim compressedClaim(std::uint64_t width, std::uint64_t height, std::uint64_t fileSize) {
  PictureClaim claim = claimOf(width, height);
  if (claim.verdict == PictureVerdict::Sound && width * height > fileSize * kMaxPixelsPerCompressedByte) {
    claim.verdict = PictureVerdict::Damaged;
  }
  return claim;
}

// --- BMP ---------------------------------------------------------------------

constexpr std::uint32_t kCoreHeaderSize = 12;  // the first header, with 16-bit sizes
constexpr std::uint32_t kOs2HeaderSize = 64;   // whose compression numbers differ from 3 on
// Every version of the picture header, from the first to the fifth (124 bytes).
constexpr std::array<std::uint32_t, 8> kHeaderSizes = {12, 16, 40, 52, 56, 64, 108, 124};

bool isKnownHeaderSize(std::uint32_t size) {
  return std::find(kHeaderSizes.begin(), kHeaderSizes.end(), size) != kHeaderSizes.end();
}

bool isPixelDepth(std::uint32_t bits) {
  return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

PictureClaim readBmpClaim(const PictureBytes& file) {
  // File header (14 bytes), then the picture header's size and at most its first 16 bytes.
  std::array<std::uint8_t, 14 + 20> head{};
  const std::size_t got = file.readAt(0, head);
  if (got < 14 + 4) return damaged();
  const std::uint32_t pixelOffset = littleEndian(&head[10], 4);
  const std::uint32_t headerSize = littleEndian(&head[14], 4);
  if (!isKnownHeaderSize(headerSize) || got < 14 + std::min<std::uint32_t>(headerSize, 20)) return damaged();

  std::int64_t width = 0, height = 0;
  std::uint32_t bits = 0, compression = 0;
  if (headerSize == kCoreHeaderSize) {
    width = littleEndian(&head[18], 2);
    height = littleEndian(&head[20], 2);
    bits = littleEndian(&head[24], 2);
  } else {
    width = static_cast<std::int32_t>(littleEndian(&head[18], 4));
    height = static_cast<std::int32_t>(littleEndian(&head[22], 4));  // below zero: rows top to bottom
    bits = littleEndian(&head[28], 2);
    if (headerSize >= 20) compression = littleEndian(&head[30], 4);
  }
  if (width <= 0 || height == 0) return damaged();
  const auto columns = static_cast<std::uint64_t>(width);
  const auto rows = static_cast<std::uint64_t>(height < 0 ? -height : height);

  // Bit fields are no compression, except in the OS/2 header, where 3 means Huffman coding.
  constexpr std::uint32_t kRgb = 0, kBitFields = 3, kAlphaBitFields = 6;
  const bool bitFields = compression == kBitFields || compression == kAlphaBitFields;
  const bool uncompressed = compression == kRgb || (headerSize != kOs2HeaderSize && bitFields);
  if (!uncompressed) return compressedClaim(columns, rows, file.size());

  PictureClaim claim = claimOf(columns, rows);
  if (claim.verdict != PictureVerdict::Sound) return claim;
  if (!isPixelDepth(bits)) return damaged();
  // Every row is there, padded to four bytes; only the last row's padding may be missing.
  const std::uint64_t rowBits = columns * bits;
  const std::uint64_t stride = (rowBits + 31) / 32 * 4;
  const std::uint64_t pixelBytes = stride * (rows - 1) + (rowBits + 7) / 8;
  if (pixelOffset > file.size() || pixelBytes > file.size() - pixelOffset) return damaged();
  return claim;
}

// --- JPEG --------------------------------------------------------------------

// Reads a file front to back through a small window of it.
class Cursor {
 public:
  explicit Cursor(const PictureBytes& file) : file_(file) {}

  std::optional<std::uint8_t> byte() {
    if (next_ == end_) {
      start_ += end_;
      next_ = 0;
      end_ = file_.readAt(start_, window_);
      if (end_ == 0) return std::nullopt;
    }
    return window_[next_++];
  }

  std::optional<std::uint32_t> bigEndian16() {
    const auto high = byte();
    const auto low = byte();
    if (!high || !low) return std::nullopt;
    return (std::uint32_t{*high} << 8) | *low;
  }

  [[nodiscard]] std::uint64_t position() const { return start_ + next_; }
  void moveTo(std::uint64_t position) {
    if (position >= start_ && position - start_ <= end_) {
      next_ = static_cast<std::size_t>(position - start_);
      return;
    }
    start_ = position;
    next_ = end_ = 0;
  }

 private:
  const PictureBytes& file_;
  std::array<std::uint8_t, 4096> window_{};
  std::uint64_t start_ = 0;
  std::size_t next_ = 0;
  std::size_t end_ = 0;
};

bool isFrameHeader(std::uint8_t marker) {
  // SOF0 to SOF15, except DHT (C4), JPG (C8) and DAC (CC).
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

bool standsAlone(std::uint8_t marker) { return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7); }

PictureClaim readJpegClaim(const PictureBytes& file) {
  Cursor cursor(file);
  cursor.moveTo(2);  // past the start-of-image marker
  // Real files have a few dozen segments; a long run of tiny ones is a forged file.
  constexpr int kMostSegments = 4096;
  for (int segment = 0; segment < kMostSegments; ++segment) {
    auto lead = cursor.byte();
    if (!lead || *lead != 0xFF) return damaged();
    // Fill bytes; a few at most in real files, so a long run ends the walk early.
    constexpr int kMostFillBytes = 4096;
    auto marker = cursor.byte();
    for (int fill = 0; marker && *marker == 0xFF && fill < kMostFillBytes; ++fill) marker = cursor.byte();
    if (!marker || *marker == 0xFF) return damaged();
    if (standsAlone(*marker)) continue;
    // A second start of image, the end of the image or its scan before any frame header.
    if (*marker == 0xD8 || *marker == 0xD9 || *marker == 0xDA || *marker == 0x00) return damaged();

    const std::uint64_t start = cursor.position();
    const auto length = cursor.bigEndian16();
    if (!length || *length < 2 || start + *length > file.size()) return damaged();
    if (isFrameHeader(*marker)) {
      std::array<std::uint8_t, 6> frame{};  // precision, height, width, component count
      if (*length < 2 + frame.size() || file.readAt(start + 2, frame) != frame.size()) return damaged();
      if (frame[5] == 0) return damaged();
      return compressedClaim(bigEndian16(&frame[3]), bigEndian16(&frame[1]), file.size());
    }
    cursor.moveTo(start + *length);
  }
  return damaged();
}

}  // namespace

std::size_t PictureBytesInMemory::readAt(std::uint64_t offset, std::span<std::uint8_t> into) const {
  if (offset >= bytes_.size()) return 0;
  const std::size_t count = std::min<std::uint64_t>(into.size(), bytes_.size() - offset);
  std::memcpy(into.data(), bytes_.data() + offset, count);
  return count;
}

PictureClaim readPictureClaim(const PictureBytes& file) {
  std::array<std::uint8_t, 2> magic{};
  if (file.readAt(0, magic) != magic.size()) return damaged();
  if (magic[0] == 'B' && magic[1] == 'M') return readBmpClaim(file);
  if (magic[0] == 0xFF && magic[1] == 0xD8) return readJpegClaim(file);
  return damaged();
}

}  // namespace tarnwick
