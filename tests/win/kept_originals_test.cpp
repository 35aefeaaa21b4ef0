#include <windows.h>

#include <gtest/gtest.h>

#include "app/messages.h"
#include "support/files.h"
#include "support/test_game.h"

namespace {

using namespace tarnwick::test;

using Names = std::vector<std::wstring>;

bool contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

// A pack that replaces the game's own rulesmd.ini, installed and removed across a
// restart: the game folder ends as it began, and the kept copy is gone again.
TEST(KeptOriginals, TheGamesOwnFileComesBackAfterARestart) {
  TestGame game;
  game.addPack(L"Rules", {{L"rules.map", "m"}, {L"rulesmd.ini", "pack rules"}});
  const FileContents before = filesIn(game.dir());
  auto form = game.open();
  choosePack(*form, L"Rules");
  form->Command3_Click();
  EXPECT_EQ(readBytes(game / L"rulesmd.ini"), "pack rules");
  EXPECT_EQ(filesIn(game.kept()), (FileContents{{L"rulesmd.ini", TestGame::kGameRules}}));
  const DWORD attributes = ::GetFileAttributesW(game.kept().c_str());
  EXPECT_EQ(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  closeWindow(*form);

  form = game.open();
  EXPECT_EQ(comboItems(form->Combo1()), Names{L"Rules"}) << "the kept files' folder is never offered as a pack";
  form->Command4_Click();
  EXPECT_TRUE(game.log.messages.empty());
  EXPECT_EQ(filesIn(game.dir()), before);
  EXPECT_TRUE(filesIn(game.kept()).empty());
}

// When the game's file can't be kept, the install stops before replacing it.
TEST(KeptOriginals, AnOriginalThatCannotBeKeptStopsTheInstall) {
  TestGame game;
  writeBytes(game / L"expandmd01.mix", "game mix");
  makeFolder(game.kept());
  makeFolder(game.kept() + L"\\expandmd01.mix");  // where its copy should go
  game.addPack(L"Mix", {{L"expandmd01.mix", "pack mix"}, {L"mix.map", "m"}});
  const FileContents before = filesIn(game.dir());
  auto form = game.open();
  choosePack(*form, L"Mix");
  form->Command3_Click();

  ASSERT_EQ(game.log.messages.size(), 1u);
  EXPECT_TRUE(contains(game.log.messages[0], L"expandmd01.mix")) << testing::PrintToString(game.log.messages[0]);
  EXPECT_TRUE(contains(game.log.messages[0], tarnwick::systemErrorText(ERROR_ACCESS_DENIED)));
  EXPECT_EQ(filesIn(game.dir()), before);
  EXPECT_TRUE(listItems(*form).empty());
  EXPECT_EQ(form->caption(13), L"未知");
}

// A kept file that can't be put back stays kept, the pack's file stays listed, and the
// message says where the original is; the next removal puts it back.
TEST(KeptOriginals, AnOriginalThatCannotBePutBackStaysKept) {
  TestGame game;
  game.addPack(L"Rules", {{L"rulesmd.ini", "pack rules"}, {L"rules.map", "m"}});
  auto form = game.open();
  choosePack(*form, L"Rules");
  form->Command3_Click();
  {
    HeldOpen held(game / L"rulesmd.ini");
    form->Command4_Click();
  }
  ASSERT_EQ(game.log.messages.size(), 1u);
  EXPECT_TRUE(contains(game.log.messages[0], game.kept() + L"\\rulesmd.ini"));
  EXPECT_EQ(readBytes(game.kept() + L"\\rulesmd.ini"), TestGame::kGameRules);
  EXPECT_EQ(listItems(*form), Names{L"rulesmd.ini"});

  form->Command4_Click();
  EXPECT_EQ(readBytes(game / L"rulesmd.ini"), TestGame::kGameRules);
  EXPECT_FALSE(exists(game.kept() + L"\\rulesmd.ini"));
  EXPECT_TRUE(listItems(*form).empty());
}

// A pack file someone deleted by hand: the game's own file comes back in its place.
TEST(KeptOriginals, AnOriginalComesBackWhereThePacksFileIsGone) {
  TestGame game;
  game.addPack(L"Rules", {{L"rulesmd.ini", "pack rules"}, {L"rules.map", "m"}});
  auto form = game.open();
  choosePack(*form, L"Rules");
  form->Command3_Click();
  ::DeleteFileW((game / L"rulesmd.ini").c_str());
  form->Command4_Click();
  EXPECT_TRUE(game.log.messages.empty());
  EXPECT_EQ(readBytes(game / L"rulesmd.ini"), TestGame::kGameRules);
  EXPECT_TRUE(listItems(*form).empty()) << "the name no longer stands for a pack's file";
}

}  // namespace
