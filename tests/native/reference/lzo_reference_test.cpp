// The LZO1X decoder and the map previews against what the reference library compresses.
#include <lzo/lzo1x.h>

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "maps/lzo1x_decoder.h"
#include "maps/map_info.h"
#include "tests/native/map_text.h"
#include "tests/native/toy_code_page.h"

namespace tarnwick {
namespace {

using Bytes = std::vector<std::uint8_t>;

// With the fast or the best compressor: map editors use either.
Bytes compress(const Bytes& data, bool best) {
  EXPECT_EQ(lzo_init(), LZO_E_OK);
  std::vector<std::uint8_t> memory(LZO1X_999_MEM_COMPRESS);
  Bytes packed(data.size() + data.size() / 16 + 64 + 3);
  lzo_uint length = packed.size();
  const int result = best ? lzo1x_999_compress(data.data(), data.size(), packed.data(), &length, memory.data())
                          : lzo1x_1_compress(data.data(), data.size(), packed.data(), &length, memory.data());
  EXPECT_EQ(result, LZO_E_OK);
  packed.resize(length);
  return packed;
}

Bytes sample(std::size_t size, int kind) {
  std::mt19937 random(static_cast<unsigned>(size * 7 + kind));
  Bytes data(size);
  for (std::size_t i = 0; i < size; ++i) {
    switch (kind) {
      case 0: data[i] = static_cast<std::uint8_t>(random()); break;               // incompressible
      case 1: data[i] = 0; break;                                                  // one long match
      case 2: data[i] = static_cast<std::uint8_t>("map tiles "[i % 10] ^ (i / 5000)); break;  // far repeats
      default: data[i] = static_cast<std::uint8_t>((i % 3 == 0 ? i / 600 : i % 251) + random() % 3); break;
    }
  }
  return data;
}

// Whatever the reference compresses decodes to the original, and only into room enough;
// a block cut short or with bytes after it is refused.
TEST(Lzo1xDecoder, DecodesWhatTheReferenceCompresses) {
  for (const std::size_t size : {0u, 1u, 3u, 4u, 17u, 238u, 239u, 8192u, 70000u}) {
    for (int kind = 0; kind < 4; ++kind) {
      for (const bool best : {false, true}) {
        const Bytes data = sample(size, kind);
        const Bytes packed = compress(data, best);
        const std::string what = std::to_string(size) + " bytes of kind " + std::to_string(kind) + (best ? ", best" : "");
        Bytes out(size), tooSmall(size ? size - 1 : 0), cut(packed.begin(), packed.end() - 1), longer = packed;
        longer.push_back(0);
        EXPECT_EQ(decodeLzo1x(packed, out).result, Lzo1xResult::Ok) << what;
        EXPECT_EQ(out, data) << what;
        if (size > 0) {
          EXPECT_EQ(decodeLzo1x(packed, tooSmall).result, Lzo1xResult::OutputOverrun) << what;
        }
        EXPECT_EQ(decodeLzo1x(cut, out).result, Lzo1xResult::InputOverrun) << what;
        EXPECT_EQ(decodeLzo1x(longer, out).result, Lzo1xResult::InputNotConsumed) << what;
      }
    }
  }
}

// The preview packed as a map carries it: 8192-byte chunks behind their two sizes.
Bytes packPreview(const Bytes& rgb) {
  Bytes packed;
  for (std::size_t at = 0; at < rgb.size(); at += 8192) {
    const Bytes chunk(rgb.begin() + at, rgb.begin() + std::min(rgb.size(), at + 8192));
    const Bytes block = compress(chunk, at % 16384 == 0);
    for (const std::size_t size : {block.size(), chunk.size()}) {
      packed.insert(packed.end(), {static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size >> 8)});
    }
    packed.insert(packed.end(), block.begin(), block.end());
  }
  return packed;
}

// A preview built from a chosen picture comes back pixel for pixel; spoilt, it is none.
TEST(MapPreview, ReadsThePictureAndNothingElse) {
  const Bytes rgb = sample(150 * 97 * 3, 3);  // 43650 bytes: five full chunks and a short one
  const auto asPacked = [](Bytes&) {};
  // what, the preview's size, whether it is shown, and how the chunks are spoilt
  const std::vector<std::tuple<const char*, std::string, bool, std::function<void(Bytes&)>>> cases = {
      {"as packed", "0,0,150,97", true, asPacked},
      {"one row too few", "0,0,150,96", false, asPacked},
      {"one pixel too many", "0,0,151,97", false, asPacked},
      {"a chunk runs past the data", "0,0,150,97", false, [](Bytes& p) { p.pop_back(); }},
      {"bytes after the last chunk", "0,0,150,97", false, [](Bytes& p) { p.push_back(0); }},
      {"a chunk's size lies by one", "0,0,150,97", false, [](Bytes& p) { ++p[2]; }},
      {"a corrupt block", "0,0,150,97", false, [](Bytes& p) { p[4] = 0x10; }},
  };
  for (const auto& [what, size, shown, spoil] : cases) {
    Bytes packed = packPreview(rgb);
    spoil(packed);
    const std::string pack = base64Text({reinterpret_cast<const char*>(packed.data()), packed.size()});
    const std::string map = "[Basic]\r\nName=Test\r\n[Preview]\r\nSize=" + size + "\r\n[PreviewPack]\r\n" +
                            numberedLines(pack) + "[Map]\r\nSize=0,0,50,50\r\n";
    const MapInfo info = readMapInfo(map, decodeToyCodePage);
    EXPECT_EQ(info.preview.has_value(), shown) << what;
    if (info.preview && shown) {
      EXPECT_EQ(std::pair(info.preview->width, info.preview->height), std::pair(150, 97)) << what;
      EXPECT_EQ(info.preview->rgb, rgb) << what;
    }
  }
}

}  // namespace
}  // namespace tarnwick
