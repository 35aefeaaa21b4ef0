// What the map list reads from a map file, which anyone may have written.
#include <gtest/gtest.h>

#include "maps/base64.h"
#include "maps/map_info.h"
#include "tests/native/map_text.h"
#include "tests/native/toy_code_page.h"

namespace tarnwick {
namespace {

// The INI rules and the preview, through what the map list reads. The preview is 98 x 7
// pixels packed by hand as map editors pack it, in chunks of an LZO1X block behind its
// packed and unpacked sizes: a run of 2052 literals and then 3 bytes from 2049 back (the
// far match that only follows a long run of literals), then 3 literals alone. Spoilt in
// any way, the map has no preview.
TEST(MapInfo, FollowsTheIniRulesAndShowsOnlyAWholePreview) {
  const std::string literals = "abcd" + std::string(2048, 'x');
  const std::string block = std::string(8, '\0') + '\xF9' + literals + std::string("\0\0\x11\0\0", 5);
  const std::string packed = std::string{char(block.size()), char(block.size() >> 8), 7, 8} + block +
                             std::string("\x07\0\x03\0\x14rgb\x11\0\0", 11);
  const auto preview = [](const std::string& size, const std::string& chunks) {
    return "[Preview]\r\nSize=0,0," + size + "\r\n[PreviewPack]\r\n" + numberedLines(base64Text(chunks));
  };
  const std::vector<std::tuple<std::string, std::optional<std::wstring>, std::optional<int>, bool>> cases = {
      // text, then the name, the players and whether a preview is shown
      {"  [ bAsIc ] \n  nAmE  =  Two Words  \r\n[Header]\r\nNumberStartingPoints=4\r\n", L"Two Words", 4, false},
      {"[Basic];x\r\n;Name=No\r\nName=Yes ; said\r\n", L"Yes", {}, false},
      {"[Waypoints]\r\nName=No\r\n[X]\r\nA=[Basic]\r\nName=No\r\n[Basic]\r\nName=Yes", L"Yes", {}, false},
      // the first key counts, sections go on
      {"[Basic]\nName=A\n[Map]\n[Basic]\nName=B\n", L"A", {}, false},
      {"[Basic]\rName=No\n", {}, {}, false},                       // a lone CR stays in the line
      {"\xEF\xBB\xBF[Basic]\n[Header\nName=x\n", L"x", {}, false},  // a byte-order mark, an unclosed header
      {preview("98,7", packed), {}, {}, true},
      {preview("98,6", packed), {}, {}, false},  // one row too few
      {preview("99,7", packed), {}, {}, false},  // one pixel too many
      // a chunk runs past the data; bytes after the last chunk
      {preview("98,7", packed.substr(0, packed.size() - 1)), {}, {}, false},
      {preview("98,7", packed + '\0'), {}, {}, false},
      // a block cut short; given room for a byte more, and for a byte less; a corrupt block
      {preview("98,7", '\x11' + packed.substr(1)), {}, {}, false},
      {preview("98,7", packed.substr(0, 2) + '\x08' + packed.substr(3)), {}, {}, false},
      {preview("98,7", packed.substr(0, 2) + '\x06' + packed.substr(3)), {}, {}, false},
      {preview("98,7", packed.substr(0, 4) + '\x10' + packed.substr(5)), {}, {}, false},
  };
  for (const auto& [text, name, players, shown] : cases) {
    const MapInfo info = readMapInfo(text, decodeToyCodePage);
    EXPECT_EQ(std::tuple(info.name, info.players, info.preview.has_value()), std::tuple(name, players, shown))
        << text.substr(0, 80);
  }
  const std::optional<RgbPicture> whole = readMapInfo(preview("98,7", packed), decodeToyCodePage).preview;
  const std::string rgb = literals + literals.substr(3, 3) + "rgb";
  ASSERT_TRUE(whole);
  EXPECT_EQ(std::tuple(whole->width, whole->height, std::string(whole->rgb.begin(), whole->rgb.end())),
            std::tuple(98, 7, rgb));
  const MapFields pack = scanMapFields("[PreviewPack]\n3=c\n1=a\n2=b\n1=x\n5=e\nq=z\n");
  EXPECT_EQ(pack.previewPack, (std::vector<std::string_view>{"a", "b", "c"}));  // in key order up to a gap
  EXPECT_TRUE(scanMapFields("[PreviewPack]\n2=b\n").previewPack.empty());
}

TEST(MapName, ReadsEachFormAndFallsBackToTheCodePage) {
  const std::vector<std::pair<std::string, std::optional<std::wstring>>> cases = {
      {"906d,9047,6230,6a21,5f0f,", L"遭遇戰模式"}, {"906D,9047", L"遭遇"}, {"d83d,de00,", L"\U0001F600"},
      // a number, not one code unit; a broken surrogate pair; a control character; a cut-off unit
      {"2010", L"2010"}, {"d83d,0041,", L"d83d,0041,"}, {"0009,0041,", L"0009,0041,"}, {"906d,904", L"906d,904"},
      {"\xE5\x86\xB0\xE5\xB7\x9D", L"冰川"}, {"\xE9t\xE9", L"\u00E9t\u00E9"}, {"", {}},
      // 936's bytes that are valid UTF-8 too; overlong UTF-8, an encoded surrogate and a cut-off
      // character: the code page
      {"\xCE\xB4\xD6\xAA", L"\u03B4\u05AA"}, {"\xE0\x80\xAF", L"\u00E0\u0080\u00AF"},
      {"\xED\xA0\x80", L"\u00ED\u00A0\u0080"}, {"\xE5\x86", L"\u00E5\u0086"},
  };
  for (const auto& [value, name] : cases) EXPECT_EQ(decodeMapName(value, decodeToyCodePage), name) << value;
}

TEST(MapNumbers, PlayersAndPreviewSizeStayInRange) {
  const std::pair<std::string, std::optional<int>> players[] = {
      {"1", 1}, {"8", 8}, {"04", 4}, {"0", {}}, {"9", {}}, {"-2", {}}, {"4x", {}}, {"", {}}, {"4294967300", {}}};
  for (const auto& [value, count] : players) EXPECT_EQ(decodePlayerCount(value), count) << value;
  const std::pair<std::string, std::optional<std::pair<int, int>>> sizes[] = {
      {" -3 , 7 ,2000,2000", std::pair{2000, 2000}}, {"0,0,2001,2000", {}}, {"0,0,0,10", {}},
      {"0,0,10,-1", {}}, {"0,0,10", {}}, {"0,0,10,10,", {}}, {"0,0,999999999,999999999", {}}};
  for (const auto& [value, size] : sizes) EXPECT_EQ(previewDimensions(value), size) << value;
}

TEST(Base64, DecodesOnlyStandardText) {
  using Bytes = std::optional<std::vector<std::uint8_t>>;
  const std::vector<std::pair<std::vector<std::string_view>, Bytes>> cases = {
      {{"TWE"}, Bytes{{'M', 'a'}}}, {{"TQ", "=", "="}, Bytes{{'M'}}}, {{"+/+/"}, Bytes{{0xFB, 0xFF, 0xBF}}},
      {{"TQ==="}, {}}, {{"T"}, {}}, {{"TQ=A"}, {}}, {{"TW E"}, {}}, {{"TWE-"}, {}}, {{"TQ=", "TQ=="}, {}}};
  for (const auto& [pieces, bytes] : cases) EXPECT_EQ(decodeBase64(pieces), bytes) << pieces.front();
}

}  // namespace
}  // namespace tarnwick
