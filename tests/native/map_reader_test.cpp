// What the map list reads from a map file, which anyone may have written.
#include <gtest/gtest.h>

#include "maps/base64.h"
#include "maps/map_info.h"
#include "tests/native/map_text.h"
#include "tests/native/toy_code_page.h"

namespace tarnwick {
namespace {

using std::nullopt;

// The INI rules, through the values the map list reads.
TEST(MapFields, FollowTheIniRules) {
  const std::vector<std::tuple<std::string, std::optional<std::string>, std::optional<std::string>>> cases = {
      // text, then the name and the players it gives
      {"  [ bAsIc ] \n  nAmE  =  Two Words  \r\n[Header]\r\nNumberStartingPoints=4\r\n", "Two Words", "4"},
      {"[Basic];x\r\n;Name=No\r\nName=Yes ; said\r\n", "Yes", nullopt},
      {"[Waypoints]\r\nName=No\r\n[X]\r\nA=[Basic]\r\nName=No\r\n[Basic]\r\nName=Yes", "Yes", nullopt},
      {"[Basic]\nName=A\n[Map]\n[Basic]\nName=B\n", "A", nullopt},  // first key counts, sections go on
      {"[Basic]\rName=No\n", nullopt, nullopt},                     // a lone CR stays in the line
      {"\xEF\xBB\xBF[Basic]\n[Header\nName=\n", "", nullopt},       // a byte-order mark, an unclosed header
  };
  for (const auto& [text, name, players] : cases) {
    const MapFields fields = scanMapFields(text);
    EXPECT_EQ(fields.name, name) << text;
    EXPECT_EQ(fields.startingPoints, players) << text;
  }
  const MapFields pack = scanMapFields("[PreviewPack]\n3=c\n1=a\n2=b\n1=x\n5=e\nq=z\n[Preview]\nSize=0,0,1,1");
  EXPECT_EQ(pack.previewPack, (std::vector<std::string_view>{"a", "b", "c"}));  // in key order up to a gap
  EXPECT_EQ(pack.previewSize, "0,0,1,1");
  EXPECT_TRUE(scanMapFields("[PreviewPack]\n2=b\n").previewPack.empty());
}

TEST(MapName, ReadsEachFormAndFallsBackToTheCodePage) {
  const std::vector<std::pair<std::string, std::optional<std::wstring>>> cases = {
      {"906d,9047,6230,6a21,5f0f,", L"遭遇戰模式"}, {"906D,9047", L"遭遇"}, {"d83d,de00,", L"\U0001F600"},
      {"2010", L"2010"},              // a number, not one code unit
      {"d83d,0041,", L"d83d,0041,"},  // a broken surrogate pair
      {"0009,0041,", L"0009,0041,"},  // a control character
      {"906d,904", L"906d,904"}, {"\xE5\x86\xB0\xE5\xB7\x9D", L"冰川"}, {"\xE9t\xE9", L"\u00E9t\u00E9"},
      {"\xCE\xB4\xD6\xAA", L"\u03B4\u05AA"},    // 936's bytes that are valid UTF-8 too
      {"\xE0\x80\xAF", L"\u00E0\u0080\u00AF"},  // overlong UTF-8: the code page
      {"\xED\xA0\x80", L"\u00ED\u00A0\u0080"},  // an encoded surrogate
      {"\xE5\x86", L"\u00E5\u0086"}, {"", nullopt},
  };
  for (const auto& [value, name] : cases) EXPECT_EQ(decodeMapName(value, decodeToyCodePage), name) << value;
}

TEST(MapNumbers, PlayersAndPreviewSizeStayInRange) {
  const std::pair<std::string, std::optional<int>> players[] = {
      {"1", 1}, {"8", 8}, {"04", 4}, {"0", nullopt}, {"9", nullopt}, {"-2", nullopt}, {"4x", nullopt},
      {"", nullopt}, {"4294967300", nullopt}};
  for (const auto& [value, count] : players) EXPECT_EQ(decodePlayerCount(value), count) << value;
  const std::pair<std::string, std::optional<std::pair<int, int>>> sizes[] = {
      {" -3 , 7 ,2000,2000", std::pair{2000, 2000}}, {"0,0,2001,2000", nullopt}, {"0,0,0,10", nullopt},
      {"0,0,10,-1", nullopt}, {"0,0,10", nullopt}, {"0,0,10,10,", nullopt}, {"0,0,999999999,999999999", nullopt}};
  for (const auto& [value, size] : sizes) EXPECT_EQ(previewDimensions(value), size) << value;
}

TEST(Base64, DecodesOnlyStandardText) {
  using Bytes = std::optional<std::vector<std::uint8_t>>;
  const std::vector<std::pair<std::vector<std::string_view>, Bytes>> cases = {
      {{"TW", "E="}, Bytes{{'M', 'a'}}}, {{"TWE"}, Bytes{{'M', 'a'}}}, {{"TQ", "=", "="}, Bytes{{'M'}}},
      {{"+/+/"}, Bytes{{0xFB, 0xFF, 0xBF}}}, {{"TQ==="}, nullopt}, {{"T"}, nullopt}, {{"TQ=A"}, nullopt},
      {{"TW E"}, nullopt}, {{"TWE-"}, nullopt}, {{"TQ="}, nullopt}, {{"TQ=", "TQ=="}, nullopt}};
  for (const auto& [pieces, bytes] : cases) EXPECT_EQ(decodeBase64(pieces), bytes) << pieces.front();
}

// A preview of 98 x 7 pixels packed by hand as map editors pack it: chunks of an LZO1X
// block behind its packed and unpacked sizes. The first block is a long run of literals
// and then three bytes from 2049 back (the far match that only follows such a run), the
// second three literals alone. Spoilt in any way, the map has no preview.
TEST(MapPreview, ReadsThePictureAndNothingElse) {
  std::string literals;
  for (int i = 0; i < 2052; ++i) literals += static_cast<char>(i % 251);
  const std::string rgb = literals + literals.substr(3, 3) + "rgb";
  const std::pair<std::string, std::size_t> blocks[] = {
      {std::string(8, '\0') + '\xF9' + literals + std::string("\0\0\x11\0\0", 5), 2055},
      {std::string("\x14rgb\x11\0\0", 7), 3}};
  std::string packed;
  for (const auto& [block, size] : blocks) {
    packed += {char(block.size()), char(block.size() >> 8), char(size), char(size >> 8)};
    packed += block;
  }
  const auto spoilt = [&packed](std::size_t at, char byte) {
    std::string bytes = packed;
    bytes[at] = byte;
    return bytes;
  };
  // what, the preview's size, its chunks and whether it is shown
  const std::tuple<const char*, std::string, std::string, bool> cases[] = {
      {"as packed", "98,7", packed, true},
      {"one row too few", "98,6", packed, false},
      {"one pixel too many", "99,7", packed, false},
      {"a chunk runs past the data", "98,7", packed.substr(0, packed.size() - 1), false},
      {"bytes after the last chunk", "98,7", packed + '\0', false},
      {"a block cut short", "98,7", spoilt(0, 0x11), false},
      {"a block given room for a byte more", "98,7", spoilt(2, 8), false},
      {"a block given room for a byte less", "98,7", spoilt(2, 6), false},
      {"a corrupt block", "98,7", spoilt(4, 0x10), false},
  };
  for (const auto& [what, size, chunks, shown] : cases) {
    const std::string map =
        "[Preview]\r\nSize=0,0," + size + "\r\n[PreviewPack]\r\n" + numberedLines(base64Text(chunks));
    const std::optional<RgbPicture> preview = readMapInfo(map, decodeToyCodePage).preview;
    EXPECT_EQ(preview.has_value(), shown) << what;
    if (preview) {
      const std::vector<std::uint8_t> pixels(rgb.begin(), rgb.end());
      EXPECT_EQ(std::tuple(preview->width, preview->height, preview->rgb), std::tuple(98, 7, pixels)) << what;
    }
  }
}

}  // namespace
}  // namespace tarnwick
