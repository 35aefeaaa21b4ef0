#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

namespace tarnwick {

// What a picture file's header claims, read before any decoder sees the file. Pictures
// come from strangers' packs: a decoder handed a header that claims 2147483647 x 1
// pixels may overflow or try to allocate gigabytes. The decoders are given only files
// whose claims are sound.

// The bytes of one file, read at any offset.
class PictureBytes {
 public:
  virtual ~PictureBytes() = default;
  [[nodiscard]] virtual std::uint64_t size() const = 0;
  // Copies the bytes from `offset` on into `into`; returns how many there were (fewer
  // than asked at the end of the file, none past it or when reading fails).
  virtual std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> into) const = 0;
};

// A file's bytes already in memory.
class PictureBytesInMemory final : public PictureBytes {
 public:
  explicit PictureBytesInMemory(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  [[nodiscard]] std::uint64_t size() const override { return bytes_.size(); }
  std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> into) const override;

 private:
  std::span<const std::uint8_t> bytes_;
};

enum class PictureVerdict {
  Sound,     // a BMP or JPEG whose claimed size a decoder can take
  Damaged,   // not a BMP or JPEG, a header that is cut off or contradicts itself, or a
             // claimed size the file can't hold
  TooLarge,  // more pixels than the program may ask a decoder for
};

struct PictureClaim {
  PictureVerdict verdict = PictureVerdict::Damaged;
  std::uint32_t width = 0;  // as claimed, where the header could be read
  std::uint32_t height = 0;
};

// The limits. A side of at most 65535 pixels is all a JPEG can claim, and all the
// program's bitmaps take. 2^26 pixels (8192 x 8192) are 256 MB at four bytes per pixel,
// the largest block a decoder can hope to find free in a 32-bit process's 2 GB of
// address space, which the program's own code and bitmaps share.
inline constexpr std::uint32_t kMaxPictureSide = 65535;
inline constexpr std::uint64_t kMaxPicturePixels = std::uint64_t{1} << 26;
// A compressed picture (JPEG, or a run-length coded BMP) can't describe more than this
// many pixels per byte of its file: a JPEG spends at least one bit on every 8 x 8 block
// (512 pixels per byte even for a one-colour picture), a run-length code at most 255
// pixels in two bytes. A claim beyond it comes from a cut-off file or a forged header.
inline constexpr std::uint64_t kMaxPixelsPerCompressedByte = 1024;

PictureClaim readPictureClaim(const PictureBytes& file);

}  // namespace tarnwick
