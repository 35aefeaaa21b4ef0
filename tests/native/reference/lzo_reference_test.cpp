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

enum class Level { Fast, Best };

Bytes compress(const Bytes& data, Level level) {
  EXPECT_EQ(lzo_init(), LZO_E_OK);
  std::vector<std::uint8_t> memory(LZO1X_999_MEM_COMPRESS);
  Bytes packed(data.size() + data.size() / 16 + 64 + 3);
  lzo_uint length = packed.size();
  const int result = level == Level::Fast
                         ? lzo1x_1_compress(data.data(), data.size(), packed.data(), &length, memory.data())
                         : lzo1x_999_compress(data.data(), data.size(), packed.data(), &length, memory.data());
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

Lzo1xDecoded decode(const Bytes& packed, Bytes& out) { return decodeLzo1x(packed, out); }

// Whatever the reference compresses decodes to the original, and only into room enough.
TEST(Lzo1xDecoder, DecodesWhatTheReferenceCompresses) {
  for (const std::size_t size : {0u, 1u, 3u, 4u, 17u, 238u, 239u, 8192u, 70000u}) {
    for (int kind = 0; kind < 4; ++kind) {
      for (const Level level : {Level::Fast, Level::Best}) {
        const Bytes data = sample(size, kind);
        const Bytes packed = compress(data, level);
        const std::string what = std::to_string(size) + " bytes of kind " + std::to_string(kind);
        Bytes out(size);
        EXPECT_EQ(decode(packed, out).result, Lzo1xResult::Ok) << what;
        EXPECT_EQ(out, data) << what;
        if (size > 0) {
          Bytes short_(size - 1);
          EXPECT_EQ(decode(packed, short_).result, Lzo1xResult::OutputOverrun) << what;
        }
        Bytes cut(packed.begin(), packed.end() - 1), longer = packed;
        longer.push_back(0);
        EXPECT_EQ(decode(cut, out).result, Lzo1xResult::InputOverrun) << what;
        EXPECT_EQ(decode(longer, out).result, Lzo1xResult::InputNotConsumed) << what;
      }
    }
  }
}

// The preview packed as a map carries it: 8192-byte chunks behind their two sizes.
Bytes packPreview(const Bytes& rgb) {
  Bytes packed;
  for (std::size_t at = 0; at < rgb.size(); at += 8192) {
    const Bytes chunk(rgb.begin() + at, rgb.begin() + std::min(rgb.size(), at + 8192));
    const Bytes block = compress(chunk, at % 16384 ? Level::Fast : Level::Best);
    for (const std::size_t size : {block.size(), chunk.size()}) {
      packed.push_back(static_cast<std::uint8_t>(size));
      packed.push_back(static_cast<std::uint8_t>(size >> 8));
    }
    packed.insert(packed.end(), block.begin(), block.end());
  }
  return packed;
}

std::string mapText(const std::string& size, const std::string& pack) {
  return "[Basic]\r\nName=Test\r\n[Preview]\r\nSize=" + size + "\r\n[PreviewPack]\r\n" + numberedLines(pack) +
         "[Map]\r\nSize=0,0,50,50\r\n";
}

struct PreviewCase {
  const char* what;
  std::string size;
  bool shown;
  std::function<void(Bytes&)> spoilPacked = nullptr;
  std::function<void(std::string&)> spoilText = nullptr;
};

// A preview built from a chosen picture comes back pixel for pixel; spoilt, it is none.
TEST(MapPreview, ReadsThePictureAndNothingElse) {
  const int width = 150, height = 97;  // 43650 bytes: five full chunks and a short one
  Bytes rgb(static_cast<std::size_t>(width * height * 3));
  for (std::size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<std::uint8_t>(i % 3 == 0 ? i / 450 : i % 7 * 30);
  const std::string size = "0,0,150,97";
  const std::vector<PreviewCase> cases = {
      {"as packed", size, true},
      {"padding left out", size, true, {}, [](std::string& t) { t.erase(t.find_last_not_of('=') + 1); }},
      {"one row too few", "0,0,150,96", false},
      {"one pixel too many", "0,0,151,97", false},
      {"over 4 million pixels", "0,0,2001,2000", false},
      {"a bad base64 digit", size, false, {}, [](std::string& t) { t[100] = '*'; }},
      {"a chunk runs past the data", size, false, [](Bytes& p) { p.pop_back(); }},
      {"bytes after the last chunk", size, false, [](Bytes& p) { p.push_back(0); }},
      {"a chunk's size lies", size, false, [](Bytes& p) { p[2] = 0xFF, p[3] = 0x1F; }},
      {"a corrupt block", size, false, [](Bytes& p) { p[4] = 0x10; }},
  };
  for (const auto& c : cases) {
    Bytes packed = packPreview(rgb);
    if (c.spoilPacked) c.spoilPacked(packed);
    std::string text = base64Text({reinterpret_cast<const char*>(packed.data()), packed.size()});
    if (c.spoilText) c.spoilText(text);
    const MapInfo info = readMapInfo(mapText(c.size, text), decodeToyCodePage);
    EXPECT_EQ(info.preview.has_value(), c.shown) << c.what;
    if (info.preview && c.shown) {
      EXPECT_EQ(std::pair(info.preview->width, info.preview->height), std::pair(width, height)) << c.what;
      EXPECT_EQ(info.preview->rgb, rgb) << c.what;
    }
  }
}

}  // namespace
}  // namespace tarnwick
