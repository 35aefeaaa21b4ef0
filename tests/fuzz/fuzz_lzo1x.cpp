// The LZO1X decoder against the reference library on the same bytes: the same verdict,
// and on success the same output. The first two bytes give the room for the output.
#include <lzo/lzo1x.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "maps/lzo1x_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const bool initialised = lzo_init() == LZO_E_OK;
  if (!initialised) std::abort();
  // The reference reads the first byte before looking at the length.
  if (size < 3) return 0;
  const std::size_t room = data[0] | (data[1] << 8);
  const std::span<const std::uint8_t> input(data + 2, size - 2);

  std::vector<std::uint8_t> ours(room + 1), reference(room + 1);
  const auto decoded = tarnwick::decodeLzo1x(input, std::span<std::uint8_t>(ours).first(room));
  lzo_uint referenceLength = room;
  const int verdict = lzo1x_decompress_safe(input.data(), input.size(), reference.data(), &referenceLength, nullptr);

  const bool ok = decoded.result == tarnwick::Lzo1xResult::Ok;
  if (ok != (verdict == LZO_E_OK)) std::abort();
  if (decoded.written > room) std::abort();
  if (ok && (decoded.written != referenceLength || std::memcmp(ours.data(), reference.data(), referenceLength) != 0)) {
    std::abort();
  }
  return 0;
}
