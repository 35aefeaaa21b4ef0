#include <windows.h>

#include <gtest/gtest.h>

#include "app/messages.h"
#include "support/files.h"
#include "support/test_game.h"

namespace {

using namespace tarnwick::test;
using tarnwick::systemErrorText;

using Names = std::vector<std::wstring>;

bool contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

TEST(PackInstall, CopiesEveryFileAndRecordsItAtOnce) {
  TestGame game;
  const std::wstring folder = game.addPack(L"B", {{L"b1.map", "map 1"}, {L"b1.jpg", "jpg 1"}, {L"notes.txt", "notes"}});
  auto form = game.open();
  choosePack(*form, L"B");

  for (int round = 0; round < 2; ++round) {  // the same pack twice: copied again, listed once
    form->Command3_Click();
    EXPECT_TRUE(game.log.messages.empty());
    EXPECT_EQ(listItems(*form), (Names{L"b1.jpg", L"b1.map", L"notes.txt"})) << round;
    EXPECT_EQ(form->caption(13), L"B");
    EXPECT_EQ(form->caption(15), folder);
    EXPECT_EQ(readBytes(game.record()),
              ansi(folder) + "\r\nB\r\n 3 \r\nb1.jpg\r\nb1.map\r\nnotes.txt\r\n");
  }
  FileContents expected = {{L"gamemd.exe", "MZ expansion"}, {L"Ra2.exe", "MZ game"},
                           {L"ra2md.csf", TestGame::kGameTable}, {L"rulesmd.ini", TestGame::kGameRules},
                           {L"b1.map", "map 1"}, {L"b1.jpg", "jpg 1"}, {L"notes.txt", "notes"}};
  EXPECT_EQ(filesIn(game.dir()), expected) << "nothing else, no temporary file";
}

// Nothing chosen (at start, or after typing into the combo) and packs without maps are
// refused with the same message, and nothing changes.
TEST(PackInstall, RefusesWithoutAChosenPackWithMaps) {
  TestGame game;
  game.addPack(L"Pictures", {{L"p.jpg", "jpg"}});
  game.addPack(L"Maps", {{L"m.map", "map"}});
  const FileContents before = filesIn(game.dir());
  auto form = game.open();

  form->Command3_Click();  // nothing chosen yet
  choosePack(*form, L"Pictures");
  form->Command3_Click();
  choosePack(*form, L"Maps");
  ::SendMessageW(form->Combo1(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);  // what typing leaves
  form->Command3_Click();

  EXPECT_EQ(game.log.messages, (Names(3, L"请选择地图包")));
  EXPECT_EQ(filesIn(game.dir()), before);
  EXPECT_TRUE(listItems(*form).empty());
  EXPECT_EQ(form->caption(13), L"未知");
  EXPECT_FALSE(exists(game.record()));
}

// A copy that fails stops the install, says which file and why, and List1 holds exactly
// what was copied; the game's file is untouched and no temporary file is left.
TEST(PackInstall, StopsAtAFailedCopyListingWhatWasCopied) {
  struct Case {
    const char* what;
    DWORD error;
  };
  for (const Case c : {Case{"read-only target", ERROR_ACCESS_DENIED}, Case{"target held open", ERROR_SHARING_VIOLATION},
                       Case{"source gone", ERROR_FILE_NOT_FOUND}}) {
    TestGame game;
    const std::wstring folder =
        game.addPack(L"P", {{L"a.map", "a"}, {L"rulesmd.ini", "pack rules"}, {L"z.jpg", "z"}});
    auto form = game.open();
    choosePack(*form, L"P");
    if (c.error == ERROR_ACCESS_DENIED) addAttributes(game / L"rulesmd.ini", FILE_ATTRIBUTE_READONLY);
    if (c.error == ERROR_FILE_NOT_FOUND) ::DeleteFileW((folder + L"\\rulesmd.ini").c_str());
    {
      std::optional<HeldOpen> held;
      if (c.error == ERROR_SHARING_VIOLATION) held.emplace(game / L"rulesmd.ini");
      form->Command3_Click();
    }
    ASSERT_EQ(game.log.messages.size(), 1u) << c.what;
    const std::wstring& message = game.log.messages[0];
    EXPECT_TRUE(contains(message, L"rulesmd.ini")) << c.what << ": " << testing::PrintToString(message);
    EXPECT_TRUE(contains(message, systemErrorText(c.error))) << c.what << ": " << testing::PrintToString(message);
    EXPECT_EQ(listItems(*form), Names{L"a.map"}) << c.what;
    EXPECT_EQ(form->caption(13), L"P") << c.what << ": the pack can be removed again";
    EXPECT_EQ(readBytes(game.record()), ansi(folder) + "\r\nP\r\n 1 \r\na.map\r\n") << c.what;
    EXPECT_EQ(readBytes(game / L"rulesmd.ini"), TestGame::kGameRules) << c.what;
    EXPECT_FALSE(exists(game / L"z.jpg")) << c.what;
    EXPECT_EQ(filesIn(game.dir()).size(), 5u) << c.what << ": the game's four files and a.map";
    EXPECT_FALSE(exists(game.kept() + L"\\rulesmd.ini")) << c.what << ": nothing kept for a file not replaced";
  }
}

// A name the record can't hold would come back as another name, and its file could never
// be removed; a device's name reaches the device; a name like the program's own temporary
// files would be deleted at the next start after a crash. Such packs are refused before
// anything is copied. (Devices this machine doesn't have: were the rule broken, Wine
// would write to and unlink the device's file.)
TEST(PackInstall, RefusesNamesTheCodePageCannotHoldDeviceNamesAndTemporaryNames) {
  TestGame game;
  ASSERT_EQ(::GetACP(), 936u);
  const std::wstring thai = L"\u0E01";
  game.addPack(L"Thai file", {{L"a.map", "a"}, {thai + L".ini", "x"}});
  game.addPack(thai, {{L"a.map", "a"}});
  // Only a path that skips the device names can make such a file.
  writeBytes(L"\\\\?\\" + game.addPack(L"Device", {{L"a.map", "a"}}) + L"\\Com9.ini", "x");
  game.addPack(L"Own name", {{L"a.map", "a"}, {L"b.MAP.Tarnwick-Partial", "x"}});
  const FileContents before = filesIn(game.dir());
  auto form = game.open();

  for (const std::wstring pack : {L"Thai file", thai.c_str(), L"Device", L"Own name"}) {
    choosePack(*form, pack);
    form->Command3_Click();
  }

  ASSERT_EQ(game.log.messages.size(), 4u);
  EXPECT_TRUE(contains(game.log.messages[0], thai + L".ini"));
  EXPECT_TRUE(contains(game.log.messages[1], game.packs() + L"\\" + thai));
  EXPECT_TRUE(contains(game.log.messages[2], L"“Com9.ini”"));
  EXPECT_TRUE(contains(game.log.messages[3], L"b.MAP.Tarnwick-Partial"));
  EXPECT_EQ(filesIn(game.dir()), before);
  EXPECT_TRUE(listItems(*form).empty());
  EXPECT_FALSE(exists(game.record()));
}

// A read-only pack file is installed writable, so installing it again and removing it
// work like for any other file.
TEST(PackInstall, ReadOnlyPackFilesAreInstalledWritable) {
  TestGame game;
  const std::wstring folder = game.addPack(L"R", {{L"r.map", "r"}});
  addAttributes(folder + L"\\r.map", FILE_ATTRIBUTE_READONLY);
  auto form = game.open();
  choosePack(*form, L"R");
  form->Command3_Click();
  form->Command3_Click();
  EXPECT_TRUE(game.log.messages.empty());
  EXPECT_EQ(::GetFileAttributesW((game / L"r.map").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
  EXPECT_NE(::GetFileAttributesW((folder + L"\\r.map").c_str()) & FILE_ATTRIBUTE_READONLY, 0u)
      << "the pack folder is not changed";
}

}  // namespace
