// Importing packs from archives and folders: what ZAzod holds afterwards and what the
// outcome says, for every format and method a pack arrives in (the libraries as built for
// Windows). The archives are made at build time (tests/native/make_test_archives.py); the
// rar ones with folders and programs in them are libarchive's own samples.
#include "packs/pack_import.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <set>

#include "packs/folder_entries.h"
#include "support/test_game.h"
#include "tests/native/refusal_names.h"

namespace {

using namespace tarnwick;
using namespace tarnwick::test;

// "Duplicate P/MAP.map" for a refusal; "X (2) maps; B; left out" for what was imported.
std::wstring said(const ImportOutcome& outcome) {
  if (outcome.refusal) return reasonName(outcome.refusal->reason) + L" " + outcome.refusal->entry;
  std::wstring words;
  for (const ImportedPack& pack : outcome.packs) {
    words += (words.empty() ? L"" : L"; ") + pack.name + (pack.hasMaps ? L" maps" : L"") +
             (pack.unrecordableName ? L" unrecordable " + *pack.unrecordableName : L"");
  }
  return words + (outcome.entriesLeftOut ? L"; left out" : L"");
}

// Every source is imported into a pack folder that holds the pack "x" already. A source
// refused, for whatever reason, leaves the pack folder as it was; one imported adds only
// its packs, each listed only once it is whole, named as the archive names it, "(2)" where
// a name is taken (ignoring case).
TEST(PackImport, ArchivesAndFoldersBecomePacksOrLeaveNothing) {
  const bool bits32 = sizeof(void*) == 4;
  struct Row {
    std::wstring source;  // in the test archives' folder; "<game>" and "<temp>" start paths of the test's own
    std::wstring said;
    std::set<std::wstring> made{};
    ImportLimits limits{};
  };
  const std::wstring gbk = L"尤里的陰謀v1.0";
  const std::set<std::wstring> pack = {L"pack\\", L"pack\\maps\\", L"pack\\maps\\a.map", L"pack\\readme.txt", L"pack\\tool.exe"};
  const Row rows[] = {
      // Every method beyond the zips' (deflated, and stored in crc.zip): 7z LZMA2 with the x86
      // filter (solid) and LZMA, RAR 4 compressed (up to its link) and RAR 5 solid.
      {L"lzma2-bcj-solid.7z", L"pack", pack},
      {L"lzma.7z", L"pack", pack},
      {L"rar4.rar", L"Link testlink"},
      {L"rar5-solid.rar", L"rar5-solid", {L"rar5-solid\\", L"rar5-solid\\test1.bin", L"rar5-solid\\test2.bin",
                                          L"rar5-solid\\test3.bin", L"rar5-solid\\test4.bin"}},
      // Names as the archives' makers wrote them: GBK bytes unmarked (also with "\" between
      // folders, after a character whose second byte is "\"), UTF-8 marked, a
      // Unicode Path field (with its CRC, and one whose CRC fails), 7z's own UTF-16, RAR 4's
      // GBK and its Unicode form.
      {L"gbk.zip", gbk + L" maps", {gbk + L"\\", gbk + L"\\地图.map", gbk + L"\\预览.jpg"}},
      {L"backslash.zip", L"淺灘 maps", {L"淺灘\\", L"淺灘\\地图.map"}},
      {L"utf8.zip", L"尤里 maps", {L"尤里\\", L"尤里\\地图.map"}},
      {L"upath.zip", L"中文包 maps", {L"中文包\\", L"中文包\\地图.map"}},
      {L"upath-crc.zip", L"旧名 maps", {L"旧名\\", L"旧名\\a.map"}},
      {L"cn.7z", L"包 maps", {L"包\\", L"包\\地图.map", L"包\\子\\", L"包\\子\\图.jpg"}},
      {L"unicode.rar", L"Link 表だよ/ファイル"},
      {L"X.zip", L"X (2) maps", {L"X (2)\\", L"X (2)\\a.map", L"X (2)\\s\\", L"X (2)\\s\\b.jpg"}},
      {L"cofin.zip", L"COFIN.TXT (2) maps", {L"COFIN.TXT (2)\\", L"COFIN.TXT (2)\\a.map"}},
      {L"collection.zip", L"A maps; B maps; left out", {L"A\\", L"A\\a.map", L"B\\", L"B\\b.map"}},
      {L"thai.zip", L"P maps unrecordable ก.txt", {L"P\\", L"P\\a.map", L"P\\ก.txt"}},
      {L"no maps.zip", L"no maps", {L"no maps\\", L"no maps\\readme.txt", L"no maps\\s\\", L"no maps\\s\\p.jpg"}},
      {L"names.rar", L"地图包 maps", {L"地图包\\", L"地图包\\旧.map", L"地图包\\新.map"}},
      {L"<temp>\\地图 F", L"地图 F maps", {L"地图 F\\", L"地图 F\\a.map", L"地图 F\\s\\", L"地图 F\\s\\b.jpg"}},
      // Refused.
      {L"dotdot.zip", L"OutsideThePack ../evil.map"},
      {L"device.zip", L"DeviceName P/aux.map"},
      {L"case.zip", L"Duplicate P/MAP.map"},
      {L"long.zip", L"PathTooLong P\\" + std::wstring(200, L'd') + L"\\" + std::wstring(60, L'f') + L".map"},
      {L"link.zip", L"Link P/b.map"},
      {L"encrypted.zip", L"Encrypted pack/maps/a.map"},
      {L"encrypted.7z", L"Encrypted "},
      {L"volume.part1.rar", L"MultiVolume "},
      {L"unknown.zip", L"UnknownCompression P/a.map"},
      {L"crc.zip", L"Damaged P/a.map"},
      {L"cut.7z", L"Damaged "},
      {L"cut.zip", L"Damaged "},
      {L"text.zip", L"NotAnArchive "},
      {L"folders.zip", L"Empty "},
      {L"no such.zip", L"NotReadable "},
      {L"many.zip", L"TooManyEntries P/3.map", {}, {.maxEntries = 4}},
      {L"lying.zip", L"TooLarge P/zeros.map", {}, {.maxBytes = 1000}},
      {L"gbk.zip", L"DiskFull " + gbk + L"/地图.map", {}, {.keptFreeBytes = UINT64_MAX}},
      {L"dictionary.7z", bits32 ? L"OutOfMemory 包/地图.map" : L"包 maps",
       bits32 ? std::set<std::wstring>{} : std::set<std::wstring>{L"包\\", L"包\\地图.map"}},
      {L"<game>", L"FolderIsTheGame "},
      {L"<game>\\ZAzod\\x", L"FolderIsTheGame "},
  };
  for (const Row& row : rows) {
    TestGame game;
    game.addPack(L"x", {{L"x.map", "x"}});
    writeBytes(game.record(), "");
    makeFolder(game.temp() / L"地图 F\\s");
    writeBytes(game.temp() / L"地图 F\\a.map", "a");
    writeBytes(game.temp() / L"地图 F\\s\\b.jpg", "b");
    std::wstring source = row.source;
    if (source.starts_with(L"<game>")) source.replace(0, 6, game.dir());
    if (source.starts_with(L"<temp>")) source.replace(0, 6, game.temp().path());
    if (!source.starts_with(L"C:")) source = TARNWICK_TEST_ARCHIVES + source;
    const auto before = treeOf(game.packs());
    const auto listed = listFolderEntries(game.packs(), EntryKind::Folder);
    size_t files = 0;
    const ImportOutcome outcome = importPack({source, game.dir(), row.limits, [&](size_t done, std::optional<size_t>) {
                                                EXPECT_EQ(done, ++files);
                                                EXPECT_EQ(listFolderEntries(game.packs(), EntryKind::Folder), listed)
                                                    << "a pack listed before it is whole";
                                              }});
    EXPECT_EQ(said(outcome), row.said) << testing::PrintToString(row.source);
    auto expected = before;
    for (const auto& made : row.made) expected.insert(made);
    EXPECT_EQ(treeOf(game.packs()), expected) << testing::PrintToString(row.source);
  }
}

// A new pack folder holds the game's string table as the pristine copy; what an import
// left half-way goes at the next start.
TEST(PackImport, MakesThePackFolderAndRemovesWhatAnImportLeft) {
  TestGame game;
  removeTree(game.packs());
  ASSERT_EQ(makePackFolder(game.dir()), static_cast<DWORD>(NO_ERROR));
  EXPECT_EQ(readBytes(game.packs() + L"\\ra2md.csf"), TestGame::kGameTable);
  makeFolder(game.packs() + L"\\.unpacking");
  makeFolder(game.packs() + L"\\.unpacking\\1");
  writeBytes(game.packs() + L"\\.unpacking\\1\\a.map", "a");
  removeUnfinishedImports(game.dir());
  EXPECT_EQ(treeOf(game.packs()), std::set<std::wstring>{L"ra2md.csf"});
}

}  // namespace
