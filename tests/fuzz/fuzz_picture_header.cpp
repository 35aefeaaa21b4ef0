// Any bytes as a picture file: the header reader reads only inside them, and a picture
// it lets through claims a size within the limits, which more bytes after it don't change.
#include <cstdlib>
#include <vector>

#include "platform/picture_header.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnwick;
  const PictureClaim claim = readPictureClaim(PictureBytesInMemory({data, size}));
  if (claim.verdict != PictureVerdict::Sound) return 0;

  const std::uint64_t pixels = std::uint64_t{claim.width} * claim.height;
  if (claim.width == 0 || claim.height == 0 || claim.width > kMaxPictureSide || claim.height > kMaxPictureSide ||
      pixels > kMaxPicturePixels || pixels > std::uint64_t{size} * kMaxPixelsPerCompressedByte) {
    std::abort();
  }
  std::vector<std::uint8_t> longer(data, data + size);
  longer.resize(size + 4096, 0xFF);
  const PictureClaim again = readPictureClaim(PictureBytesInMemory(longer));
  if (again.verdict != claim.verdict || again.width != claim.width || again.height != claim.height) std::abort();
  return 0;
}
