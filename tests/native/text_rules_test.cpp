// The rules for the texts strangers and the registry hand the program: the record
// "cofin.txt" and its count line, the journal, listed file names, file patterns and the
// game folder.
#include <gtest/gtest.h>

#include "app/game_dir.h"
#include "app/handover_payload.h"
#include "packs/count_number.h"
#include "packs/journal_text.h"
#include "platform/plain_file_name.h"
#include "packs/name_pattern.h"
#include "packs/record_text.h"
#include "tests/native/toy_code_page.h"

namespace tarnwick {
namespace {

TEST(RecordCount, ReadsTheNumberRule) {
  const std::wstring zeros(100000, L'0'), nines(100000, L'9');
  const std::vector<std::pair<std::wstring, std::optional<std::int32_t>>> cases = {
      // blanks, tabs and line feeds anywhere; reading stops where the number can't go on
      {L" 3 ", 3}, {L"-2", -2}, {L"+7", 7}, {L" 1\t2\n3 ", 123}, {L"000000000000000000000003", 3}, {L"", 0},
      {L"abc", 0}, {L"-", 0}, {L"&X1", 0}, {L"-&H2", 0}, {L"３", 0}, {L"12abc", 12}, {L"1.2.3", 1}, {L"1e+", 1},
      // hexadecimal and octal
      {L"& H 1 f", 31}, {L"&O17", 15}, {L"&o8", 0}, {L"&H1G", 1}, {L"&H7FFFFFFF", INT32_MAX},
      {L"&H80000000", {}}, {L"&HFFFFFFFF", {}}, {L"&O17777777777", INT32_MAX}, {L"&O20000000000", {}},
      // decimals and exponents, halves to even
      {L"2.5", 2}, {L"3.5", 4}, {L"-2.5", -2}, {L"-3.5", -4}, {L"2.51", 3}, {L".51", 1}, {L"-0.4", 0},
      {L"1.5E+1", 15}, {L"1D2", 100}, {L"25d-1", 2}, {L"1e-999", 0}, {L"0e999999999999999999999", 0},
      // the 32-bit range, also for digit runs far too long for any machine number
      {L"2147483647", INT32_MAX}, {L"2147483648", {}}, {L"-2147483648", INT32_MIN}, {L"-2147483649", {}},
      {L"2147483647.5", {}}, {L"-2147483648.5", INT32_MIN}, {L"99999999999999999999", {}}, {L"1e999", {}},
      {L"1" + zeros, {}}, {L"1" + zeros + L"e-100000", 1}, {L"0." + zeros + L"25e100001", 2},
      {L"1e" + zeros + L"5", 100000}, {L"1e" + nines, {}}, {L"1e-" + nines, 0}, {L"0." + zeros + L"1e" + nines, {}},
  };
  for (const auto& [line, expected] : cases) {
    EXPECT_EQ(parseRecordCount(line), expected) << ::testing::PrintToString(line.substr(0, 40));
  }
}

TEST(RecordReader, KeepsWhatHoldsTogether) {
  using Text = std::optional<std::wstring>;
  const std::string head = "D:\\P\r\nB\r\n";
  const std::vector<std::tuple<std::string, Text, Text, std::vector<std::wstring>>> cases = {
      {"", {}, {}, {}}, {"D:\\P", L"D:\\P", {}, {}}, {"\r\n", L"", {}, {}}, {head, L"D:\\P", L"B", {}},
      {head + "-2\r\na\r\n", L"D:\\P", L"B", {}}, {head + "many\r\na\r\n", L"D:\\P", L"B", {}},
      {head + "4294967296\r\na\r\n", L"D:\\P", L"B", {}},
      {head + " &H 2.\r\na\r\nb\r\nc\r\n", L"D:\\P", L"B", {L"a", L"b"}},  // the count rule; lines after ignored
      {head + " 3 \r\n\r\nb\r", L"D:\\P", L"B", {L"", L"b"}},             // fewer lines than the count
      {"D:\\P\nB\n 1 \na\n", L"D:\\P\nB\n 1 \na\n", {}, {}},              // a LF alone is no line break
      {"D:\\P\r\n\nB\r\n", L"D:\\P", L"\nB", {}},
      {"D:\\P\rB\r 2 \ra\rb", L"D:\\P", L"B", {L"a", L"b"}},
      {"\xCE\xB4\xD6\xAA\r\n\xCE\xB4\r\n", L"未知", L"未", {}},
  };
  for (const auto& [bytes, path, name, files] : cases) {
    const auto record = parseRecord(bytes, decodeToyCodePage);
    EXPECT_EQ(std::tie(record.packPath, record.packName, record.files), std::tie(path, name, files)) << bytes;
  }
}

// The reader finds the lines by position, so an unknown path or name is written as the
// mark "未知", part of the record's format.
TEST(RecordWriter, WritesTheKnownBytes) {
  EXPECT_EQ(formatRecord(L"D:\\P", L"B", {L"b1.jpg", L"b1.map"}), L"D:\\P\r\nB\r\n 2 \r\nb1.jpg\r\nb1.map\r\n");
  EXPECT_EQ(formatRecord(L"未知", L"未知", {}), L"");
  EXPECT_EQ(formatRecord(L"D:\\P", L"未知", {}), L"D:\\P\r\n未知\r\n");
  EXPECT_EQ(formatRecord(L"未知", L"未知", {L"a"}), L"未知\r\n未知\r\n 1 \r\na\r\n");
}

// Anything but a whole journal means nothing: the program would otherwise act on half of it.
TEST(JournalText, OnlyAWholeJournalReads) {
  const std::wstring whole = formatJournal({JournalOperation::Install, L"D:\\RA2\\ZAzod\\地图 B", L"地图 B",
                                            {{L"b.map", false}, {L"rulesmd.ini", true}, {L"+-.ini", false}}});
  ASSERT_TRUE(parseJournal(whole));
  const std::wstring torn[] = {
      L"", whole.substr(0, whole.size() - 1), whole.substr(0, whole.size() - 2),  // the end line torn, or missing
      L"Tarnwick journal 2" + whole.substr(18), L"Tarnwick journal 1\nmove\nP\nN\n.\n",
      L"Tarnwick journal 1\ninstall\nP\nN\nb.map\n.\n",  // an entry without its mark
      L"Tarnwick journal 1\ninstall\nP\nN\n\n.\n", L"Tarnwick journal 1\ninstall\nP\n.\n",
  };
  for (const auto& text : torn) EXPECT_FALSE(parseJournal(text)) << ::testing::PrintToString(text);
}

TEST(ListedName, AcceptsOnlyNamesDirectlyInTheFolder) {
  const std::vector<std::wstring> plain = {
      L"地图包 一.map", L"A&B.map", L".hidden", L"a..b", L"name with ~!@#$%^()[]{}'.map",
      // Near the names of devices, but not one.
      L"CON1", L"COM10", L"LPT", L"console.map", L"xnul", L"com1x.map", L".aux", L"conin.txt", L"COM\u2074"};
  for (const auto& name : plain) EXPECT_TRUE(isPlainFileName(name)) << ::testing::PrintToString(name);

  const std::vector<std::wstring> refused = {
      L"", L".", L"..", L"...", L" ", L". .", L"..\\x.map", L"x\\y", L"../x", L"x/y", L"C:\\Windows\\x.dll",
      L"C:x", L"a.map:stream", L"\\\\server\\share", L"a<b", L"a>b", L"a\"b", L"a|b", L"a?b", L"*.map",
      std::wstring(L"a\0b", 3), L"a\tb", L"a\nb", L"a\x1F", L"trailing.", L"trailing ",
      // Devices, in any case, with an extension, with spaces before it.
      L"CON", L"prn", L"Aux", L"nul.txt", L"com1", L"COM0", L"com9.ini", L"LPT1", L"lpt0.map", L"Lpt9", L"CONIN$",
      L"conout$.log", L"nul .map", L"con.a.b", L"COM\u00B9", L"lpt\u00B2.txt", L"COM\u00B3"};
  for (const auto& name : refused) EXPECT_FALSE(isPlainFileName(name)) << ::testing::PrintToString(name);
}

TEST(NamePattern, MatchesListsOfWildcards) {
  const std::vector<std::tuple<std::wstring, std::wstring, bool>> cases = {
      {L"B1.BMP", L" *.jpg ; *.bmp ", true}, {L"b1.map", L"*.jpg;*.bmp", false}, {L"xb1.jpg", L"b1.*", false},
      {L"no dot", L"*.*", true}, {L"", L"*", true}, {L"a.map", L";", true}, {L"a.map", L"*.jpg;", false},
      {L"地图.MAP", L"??.map", true}, {L"Ä.map", L"ä.map", false}, {L"abcabd", L"*ab?", true},
  };
  for (const auto& [name, patterns, matches] : cases) {
    EXPECT_EQ(matchesPattern(name, patterns), matches) << ::testing::PrintToString(name + L" ~ " + patterns);
  }
}

TEST(GameDir, DropsTheLastPathComponent) {
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"D:\\游戏\\红警\\gamemd.exe", L"D:\\游戏\\红警"}, {L"D:\\RA2\\", L"D:\\RA2"}, {L"D:\\x.exe", L"D:"},
      {L"\\x", L""}, {L"未知", L"未知"}, {L"D:/RA2/game.exe", L"D:/RA2/game.exe"}};
  for (const auto& [path, dir] : cases) EXPECT_EQ(gameDirFromInstallPath(path), dir) << ::testing::PrintToString(path);
}

// A hand-over comes from any program on the desktop: only data of exactly its shape is
// read. The sender's parts, each within the limits, read back as every path it sent.
TEST(HandOver, ReadsOnlyWellFormedDataAndItsPartsHoldEveryPath) {
  const std::wstring game = L"C:\\RA2", path = L"D:\\下载\\地图.zip", pair = L"D:\\\xD840\xDC00.7z";
  const std::wstring longPath = L"D:\\" + std::wstring(kHandOverMaxChars / 3, L'长');
  const std::vector<std::wstring> sent[] = {
      {path}, {L"\\\\server\\share\\a.rar", pair}, std::vector<std::wstring>(kHandOverMaxPaths + 1, game),
      {longPath, longPath, longPath}};
  for (const auto& paths : sent) {
    std::vector<std::wstring> read;
    for (const HandOver& part : handOverParts({game, paths})) {
      const auto decoded = decodeHandOver(encodeHandOver(part));
      ASSERT_TRUE(decoded && decoded->gameDir == game);
      read.insert(read.end(), decoded->paths.begin(), decoded->paths.end());
    }
    EXPECT_EQ(read, paths);
  }
  const std::string whole = encodeHandOver({game, {path}});
  const std::string refused[] = {
      "", whole + "x", whole.substr(0, whole.size() - 2), encodeHandOver({game, {}}), encodeHandOver({game, {L""}}),
      encodeHandOver({game, {L"a.zip"}}), encodeHandOver({L"RA2", {path}}), encodeHandOver({game, {L"D:a.zip"}}),
      encodeHandOver({game, {L"\\\\.\\pipe\\x"}}), encodeHandOver({game, {L"D:\\a\tb.zip"}}),
      encodeHandOver({game, {L"D:\\\xD840.zip"}}), encodeHandOver({game, {L"D:\\\xDC00"}}),
      encodeHandOver({game, {L"D:\\\xD840"}}),
      encodeHandOver({game, std::vector<std::wstring>(kHandOverMaxPaths + 1, game)}),
      encodeHandOver({game, {L"D:\\" + std::wstring(kHandOverMaxChars, L'a')}})};
  for (const auto& data : refused) EXPECT_FALSE(decodeHandOver(data)) << ::testing::PrintToString(data.substr(0, 40));
}

}  // namespace
}  // namespace tarnwick
