#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

namespace tarnwick {

// Why an LZO1X block didn't decode.
enum class Lzo1xResult {
  Ok,
  InputOverrun,       // an instruction or its literals run past the input
  OutputOverrun,      // the output would grow past the room given
  LookbehindOverrun,  // a match reaches back before the start of the output
  InputNotConsumed,   // bytes follow the end marker
};

struct Lzo1xDecoded {
  Lzo1xResult result = Lzo1xResult::Ok;
  std::size_t written = 0;  // bytes of output made, also when decoding failed
};

// Decodes one self-contained LZO1X block into `output`, which bounds what may be
// written. Every read of `input` and every write of `output` is checked, so any bytes
// at all end in one of the results above, after at most one pass over the input.
Lzo1xDecoded decodeLzo1x(std::span<const std::uint8_t> input, std::span<std::uint8_t> output);

}  // namespace tarnwick
