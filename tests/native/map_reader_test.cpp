#include <gtest/gtest.h>

#include "maps/base64.h"
#include "maps/lzo1x_decoder.h"
#include "maps/map_info.h"
#include "tests/native/toy_code_page.h"

namespace tarnwick {
namespace {

struct FieldsCase {
  const char* what;
  std::string text;
  std::optional<std::string> name, players, size;
  std::string pack;  // the [PreviewPack] values joined with '|'
};

std::string joined(const std::vector<std::string_view>& pieces) {
  std::string text;
  for (const auto piece : pieces) text.append(text.empty() ? "" : "|").append(piece);
  return text;
}

// The INI rules, through the values the map list reads.
TEST(MapFields, FollowTheIniRules) {
  const std::vector<FieldsCase> cases = {
      {"plain", "[Basic]\r\nName=Alps\r\n[Header]\r\nNumberStartingPoints=4\r\n", "Alps", "4", {}, ""},
      {"case, blanks, LF alone", "  [ bAsIc ] \n  nAmE  =  Two Words  \n", "Two Words", {}, {}, ""},
      {"comments", "[Basic];x\r\n;Name=No\r\nName=Yes ; said\r\n", "Yes", {}, {}, ""},
      {"other sections don't count", "[Waypoints]\r\nName=No\r\n[Basic]\r\nName=Yes\r\n", "Yes", {}, {}, ""},
      {"section after a value with [", "[X]\r\nA=[Basic]\r\nName=No\r\n[Basic]\r\nName=Yes", "Yes", {}, {}, ""},
      {"first key counts, sections go on", "[Basic]\nName=A\n[Map]\n[Basic]\nName=B\n", "A", {}, {}, ""},
      {"a lone CR stays in the line", "[Basic]\rName=No\n", {}, {}, {}, ""},
      {"byte-order mark", "\xEF\xBB\xBF[Basic]\nName=Yes\n", "Yes", {}, {}, ""},
      {"unclosed header keeps the section", "[Basic]\n[Header\nName=Yes\n", "Yes", {}, {}, ""},
      {"empty value", "[Basic]\nName=\n", "", {}, {}, ""},
      {"pack in key order up to a gap", "[PreviewPack]\n3=c\n1=a\n2=b\n1=x\n5=e\nq=z\n[Preview]\nSize=0,0,1,1",
       {}, {}, "0,0,1,1", "a|b|c"},
      {"pack without key 1", "[PreviewPack]\n2=b\n", {}, {}, {}, ""},
  };
  for (const auto& c : cases) {
    const MapFields fields = scanMapFields(c.text);
    EXPECT_EQ(fields.name, c.name) << c.what;
    EXPECT_EQ(fields.startingPoints, c.players) << c.what;
    EXPECT_EQ(fields.previewSize, c.size) << c.what;
    EXPECT_EQ(joined(fields.previewPack), c.pack) << c.what;
  }
}

struct StartCase {
  std::string bytes;
  bool whole;
  std::optional<std::wstring> name;  // nothing, with no players: more bytes are needed
  std::optional<int> players;
};

// Name and players from a file's first bytes: found only in whole lines.
TEST(MapStart, GivesNameAndPlayersOnlyFromWholeLines) {
  const std::string both = "[PreviewPack]\n1=x\n[Basic]\nName=Alps\n[Header]\nNumberStartingPoints=4\n";
  const std::vector<StartCase> cases = {
      {both + "[Map]\nSize=1", false, L"Alps", 4},
      {"[Header]\nNumberStartingPoints=4\n[Basic]\nName=Al", false, {}, {}},
      {"[Header]\nNumberStartingPoints=4\n[Basic]\nName=Al", true, L"Al", 4},
      {"[Basic]\nName=Alps\n[Header]\nNumberStartingPoints=4", false, {}, {}},
      {"[Basic]\nName=Alps\n", true, L"Alps", {}},
  };
  for (const auto& c : cases) {
    const auto info = readNameAndPlayers(c.bytes, c.whole, decodeToyCodePage);
    EXPECT_EQ(info ? info->name : std::nullopt, c.name) << c.bytes;
    EXPECT_EQ(info ? info->players : std::nullopt, c.players) << c.bytes;
  }
}

struct NameCase {
  std::string value;
  std::optional<std::wstring> name;
};

TEST(MapName, ReadsEachFormAndFallsBackToTheCodePage) {
  const std::vector<NameCase> cases = {
      {"906d,9047,6230,6a21,5f0f,", L"遭遇戰模式"},
      {"906D,9047", L"遭遇"},
      {"d83d,de00,", L"\U0001F600"},
      {"2010", L"2010"},                 // a number, not one code unit
      {"d83d,0041,", L"d83d,0041,"},     // a broken surrogate pair
      {"0009,0041,", L"0009,0041,"},     // a control character
      {"906d,904", L"906d,904"},
      {"\xE5\x86\xB0\xE5\xB7\x9D", L"冰川"},  // UTF-8
      {"\xE9t\xE9", L"\u00E9t\u00E9"},          // not UTF-8: the code page
      {"\xCE\xB4\xD6\xAA", L"\u03B4\u05AA"},    // 936's bytes that are valid UTF-8 too
      {"\xE0\x80\xAF", L"\u00E0\u0080\u00AF"},  // overlong UTF-8
      {"\xED\xA0\x80", L"\u00ED\u00A0\u0080"},  // an encoded surrogate
      {"\xE5\x86", L"\u00E5\u0086"},          // cut short
      {"Plain", L"Plain"},
      {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(decodeMapName(c.value, decodeToyCodePage), c.name) << c.value;
}

TEST(MapPlayers, AreOneToEight) {
  const std::vector<std::pair<std::string, std::optional<int>>> cases = {
      {"1", 1}, {"8", 8}, {"04", 4}, {"0", {}}, {"9", {}}, {"-2", {}}, {"4x", {}}, {"", {}}, {"4294967300", {}}};
  for (const auto& [value, players] : cases) EXPECT_EQ(decodePlayerCount(value), players) << value;
}

TEST(MapPreviewSize, IsFourNumbersWithinTheLimit) {
  using Size = std::optional<std::pair<int, int>>;
  const std::vector<std::pair<std::string, Size>> cases = {
      {"0,0,200,100", std::pair{200, 100}}, {" -3 , 7 ,2000,2000", std::pair{2000, 2000}},
      {"0,0,2001,2000", {}}, {"0,0,0,10", {}}, {"0,0,10,-1", {}}, {"0,0,10", {}}, {"0,0,10,10,", {}},
      {"0,0,1x,10", {}}, {"0,0,999999999,999999999", {}}};
  for (const auto& [value, size] : cases) EXPECT_EQ(previewDimensions(value), size) << value;
}

TEST(Base64, DecodesOnlyStandardText) {
  using Bytes = std::optional<std::vector<std::uint8_t>>;
  const std::vector<std::pair<std::vector<std::string_view>, Bytes>> cases = {
      {{"TWFu"}, Bytes{{'M', 'a', 'n'}}}, {{"TW", "E="}, Bytes{{'M', 'a'}}}, {{"TWE"}, Bytes{{'M', 'a'}}},
      {{"TQ", "=", "="}, Bytes{{'M'}}}, {{"TQ"}, Bytes{{'M'}}}, {{""}, Bytes{std::vector<std::uint8_t>{}}}, {{"+/+/"}, Bytes{{0xFB, 0xFF, 0xBF}}},
      {{"TQ==="}, {}}, {{"T"}, {}}, {{"TQ=A"}, {}}, {{"TW E"}, {}}, {{"TWE-"}, {}}, {{"TQ="}, {}}, {{"TQ=", "TQ=="}, {}}};
  for (const auto& [pieces, bytes] : cases) EXPECT_EQ(decodeBase64(pieces), bytes) << pieces.front();
}

// Blocks written by hand for what a compressor never makes.
TEST(Lzo1xDecoder, RefusesWhatNoCompressorMakes) {
  using namespace std::string_literals;
  const std::vector<std::tuple<std::string, Lzo1xResult, std::string>> cases = {
      {"\x12" "a\x00\x00\x11\x00\x00"s, Lzo1xResult::Ok, "aaa"},               // a match one byte back
      {"\x12" "a\x04\x00\x11\x00\x00"s, Lzo1xResult::LookbehindOverrun, "a"},  // two bytes back
      {"\x11\x00\x00"s, Lzo1xResult::Ok, ""},
      {"", Lzo1xResult::InputOverrun, ""},
      {"\x16" "abcde", Lzo1xResult::InputOverrun, "abcde"},
  };
  for (const auto& [block, result, output] : cases) {
    std::vector<std::uint8_t> out(8);
    const auto decoded = decodeLzo1x({reinterpret_cast<const std::uint8_t*>(block.data()), block.size()}, out);
    EXPECT_EQ(decoded.result, result) << block;
    EXPECT_EQ(std::string(out.begin(), out.begin() + static_cast<long>(decoded.written)), output) << block;
  }
}

TEST(PreviewFit, KeepsTheAspectAndAveragesPixels) {
  const RgbPicture blackWhite{2, 1, {0, 0, 0, 255, 255, 255}};
  const RgbPicture fitted = fitInBox(blackWhite, 1, 1);
  EXPECT_EQ(fitted.rgb, (std::vector<std::uint8_t>{128, 128, 128}));
  const std::vector<std::tuple<int, int, int, int>> cases = {{200, 100, 48, 24}, {100, 200, 12, 24},
                                                             {1, 1, 24, 24},    {4000, 1, 48, 1}};
  for (const auto& [w, h, fittedWidth, fittedHeight] : cases) {
    const RgbPicture picture{w, h, std::vector<std::uint8_t>(static_cast<size_t>(w * h * 3), 7)};
    const RgbPicture small = fitInBox(picture, 48, 24);
    EXPECT_EQ(std::pair(small.width, small.height), std::pair(fittedWidth, fittedHeight)) << w << "x" << h;
  }
}

}  // namespace
}  // namespace tarnwick
