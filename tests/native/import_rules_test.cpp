// The rules an archive's entries meet before anything of them is kept: the entry-name
// rule, the checks against the entries before, and where the entries go.
#include <gtest/gtest.h>

#include "packs/entry_tree.h"
#include "tests/native/refusal_names.h"

namespace tarnwick {
namespace {

using Reason = ImportRefusal::Reason;

// What a refusal or a plan comes to, in a few words: "Duplicate a/MAP.map", or
// "X=X\X maps" for a pack, "; " between packs, then "; left out" where entries stay out.
std::wstring outcomeOf(const std::vector<std::wstring>& entries, uint64_t maxEntries = 100) {
  EntryTree tree;
  for (const auto& entry : entries) {
    auto path = entryPathOf(entry);
    if (const auto* reason = std::get_if<Reason>(&path)) return reasonName(*reason) + L" " + entry;
    const auto added = tree.add(std::get<EntryPath>(path), entry.ends_with(L'/'), maxEntries);
    if (added.fault) return reasonName(*added.fault) + L" " + entry;
  }
  std::wstring said;
  const ImportPlan plan = tree.plan(L"stem");
  for (const auto& pack : plan.packs) {
    said += (said.empty() ? L"" : L"; ") + pack.name + L"=" + tree.pathOf(pack.folder);
    said += pack.hasMaps ? L" maps" : L"";
  }
  return said + (plan.entriesLeftOut ? L"; left out" : L"");
}

TEST(EntryName, ReadsFoldersAndRefusesWhatCouldLandElsewhere) {
  const std::wstring longPart(256, L'n'), longName = std::wstring(4096, L'n') + L"/";
  const std::vector<std::pair<std::vector<std::wstring>, std::wstring>> cases = {
      {{L"a/b\\c.map", L" d/"}, L"stem="},
      {{L"../x"}, L"OutsideThePack ../x"}, {{L"a/b/../../../x"}, L"OutsideThePack a/b/../../../x"},
      {{L"/x"}, L"OutsideThePack /x"}, {{L"\\\\server\\s\\x"}, L"OutsideThePack \\\\server\\s\\x"},
      {{L"\\\\?\\C:\\x"}, L"OutsideThePack \\\\?\\C:\\x"}, {{L"C:x"}, L"OutsideThePack C:x"},
      {{L"a.map:s"}, L"OutsideThePack a.map:s"}, {{L"a/CON/b"}, L"DeviceName a/CON/b"},
      {{L"com1.txt"}, L"DeviceName com1.txt"}, {{L""}, L"UnusableName "}, {{L"a//b"}, L"UnusableName a//b"},
      {{L"a/./b"}, L"UnusableName a/./b"}, {{L"a. /b"}, L"UnusableName a. /b"}, {{L"a\t"}, L"UnusableName a\t"},
      {{L"x\xD800.map"}, L"UnusableName x\xD800.map"}, {{longPart}, L"PathTooLong " + longPart},
      {{longName}, L"PathTooLong " + longName}, {{std::wstring(255, L'n')}, L"stem="},
  };
  for (const auto& [entries, said] : cases) EXPECT_EQ(outcomeOf(entries), said) << ::testing::PrintToString(entries);
}

// Two entries that Windows would make one file or folder, and where the entries go.
TEST(EntryTree, MeetsEachEntryAsWindowsWouldAndPlansThePacks) {
  const std::vector<std::pair<std::vector<std::wstring>, std::wstring>> cases = {
      {{L"a/Map.map", L"a/MAP.map"}, L"Duplicate a/MAP.map"}, {{L"a.map", L"a.map"}, L"Duplicate a.map"},
      {{L"é.map", L"É.MAP"}, L"Duplicate É.MAP"}, {{L"ÿ", L"Ÿ"}, L"Duplicate Ÿ"}, {{L"ą", L"Ą"}, L"Duplicate Ą"},
      {{L"ω", L"Ω"}, L"Duplicate Ω"}, {{L"я", L"Я"}, L"Duplicate Я"}, {{L"ё", L"Ё"}, L"Duplicate Ё"},
      {{L"ｍ", L"Ｍ"}, L"Duplicate Ｍ"}, {{L"ß", L"SS", L"ı", L"i"}, L"stem="},
      {{L"a/b", L"a/B/c"}, L"FileAndFolder a/B/c"}, {{L"a/b/c", L"a/b"}, L"FileAndFolder a/b"},
      {{L"a/b/", L"A/b"}, L"FileAndFolder A/b"}, {{L"a/b/c", L"d"}, L"stem="},
      {{L"a/b", L"d", L"e"}, L"TooManyEntries e"},
      // One top folder after another is passed; the last names the pack.
      {{L"D/", L"d/X/X/a.map", L"D/x/x/sub/b.jpg", L"d/"}, L"X=D\\X\\X maps"}, {{L"X/a.map", L"b.map"}, L"stem= maps"},
      {{L"X/Y/"}, L"Y=X\\Y"},
      // Collections: no map file at the top, but two folders or more with one each.
      {{L"top/A/a.map", L"top/B/b.YRM", L"top/C/c/c.map", L"top/r.txt"}, L"A=top\\A maps; B=top\\B maps; left out"},
      {{L"A/a.mpr", L"B/b.map"}, L"A=A maps; B=B maps"}, {{L"A/a.map", L"B/b.jpg"}, L"stem="},
      {{L"a.map", L"A/a.map", L"B/b.map"}, L"stem= maps"},
  };
  for (const auto& [entries, said] : cases) {
    EXPECT_EQ(outcomeOf(entries, 3 + 100 * !said.starts_with(L"TooMany")), said) << ::testing::PrintToString(entries);
  }
}

// Paths are measured from the pack's place: a file's may be 259 characters long, a folder's 247.
TEST(EntryTree, FindsThePathTooLongForThePacksPlace) {
  EntryTree tree;
  tree.add({L"X", std::wstring(150, L'f')}, false, 100);
  tree.add({L"X", L"d", std::wstring(185, L'g')}, true, 100);
  const size_t x = tree.plan(L"").packs.front().folder;
  EXPECT_EQ(tree.firstTooLong(x, 59), std::nullopt);
  EXPECT_EQ(tree.firstTooLong(x, 60), L"X\\d\\" + std::wstring(185, L'g'));
  EXPECT_EQ(tree.firstTooLong(x, 109), L"X\\" + std::wstring(150, L'f'));
  EXPECT_EQ(tree.firstTooLong(EntryTree::kTop, 58), L"X\\d\\" + std::wstring(185, L'g'));
}

}  // namespace
}  // namespace tarnwick
