#include <windows.h>

#include <gtest/gtest.h>

#include "support/files.h"
#include "support/test_game.h"

namespace {

using namespace tarnwick::test;

// Choose, install, close, start again, remove, close: the game folder and the record at
// every step, ending with the game folder as it began.
TEST(WholeRoad, InstallCloseStartAgainRemoveClose) {
  TestGame game;
  const std::wstring folder = game.addPack(
      L"B", {{L"b1.map", "map"}, {L"b1.jpg", "picture"}, {L"ra2md.csf", "pack csf"}, {L"rulesmd.ini", "pack rules"}});
  const FileContents before = filesIn(game.dir());
  const std::string installed =
      ansi(folder) + "\r\nB\r\n 4 \r\nb1.jpg\r\nb1.map\r\nra2md.csf\r\nrulesmd.ini\r\n";

  auto form = game.open();
  choosePack(*form, L"B");
  form->Command3_Click();
  FileContents withPack = before;
  withPack[L"b1.map"] = "map";
  withPack[L"b1.jpg"] = "picture";
  withPack[L"ra2md.csf"] = "pack csf";
  withPack[L"rulesmd.ini"] = "pack rules";
  EXPECT_EQ(filesIn(game.dir()), withPack);
  EXPECT_EQ(readBytes(game.record()), installed);

  closeWindow(*form);
  EXPECT_EQ(filesIn(game.dir()), withPack);
  EXPECT_EQ(readBytes(game.record()), installed);

  form = game.open();
  EXPECT_EQ(form->caption(13), L"B");
  EXPECT_EQ(form->caption(15), folder);
  form->Command4_Click();
  EXPECT_EQ(filesIn(game.dir()), before);
  EXPECT_EQ(readBytes(game.record()), "");

  closeWindow(*form);
  EXPECT_EQ(filesIn(game.dir()), before);
  EXPECT_EQ(readBytes(game.record()), "");
  EXPECT_TRUE(game.log.messages.empty());
}

}  // namespace
