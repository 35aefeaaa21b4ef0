#include <windows.h>

#include <gtest/gtest.h>

#include "app/form1.h"
#include "support/files.h"
#include "support/game_registry.h"
#include "support/messages.h"
#include "support/stand_in_game.h"
#include "support/temp_folder.h"

namespace {

using namespace tarnwick::test;
using tarnwick::Form1;

class GameLaunchTest : public testing::Test {
 protected:
  void SetUp() override {
    // The stand-in writes its log line and ends, without a window.
    ::SetEnvironmentVariableW(L"TARNWICK_STAND_IN_EXIT", L"1");
    makeFolder(game / L"Game");
    makeFolder(game / L"Base");
    ASSERT_TRUE(::CopyFileW(standInGameExe().c_str(), (game / L"Game\\gamemd.exe").c_str(), FALSE))
        << "stand-in game missing: " << ::GetLastError();
    ASSERT_TRUE(::CopyFileW(standInGameExe().c_str(), (game / L"Base\\Ra2.exe").c_str(), FALSE));
  }
  void TearDown() override { ::SetEnvironmentVariableW(L"TARNWICK_STAND_IN_EXIT", nullptr); }

  TempFolder game;
  GameRegistry registry;
  MessageLog log;
};

TEST_F(GameLaunchTest, StartsTheExpansionInTheGameFolder) {
  registry.installGame(game / L"Base\\Ra2.exe", game / L"Game\\gamemd.exe");
  auto form = Form1::create(::GetModuleHandleW(nullptr), log.informer());
  ASSERT_TRUE(form);
  const std::wstring captionsBefore = form->caption(9) + form->caption(13) + form->caption(15);

  form->Command2_Click();

  const std::string launched = waitForLaunchLog(game / L"Game");
  ASSERT_FALSE(launched.empty()) << "the expansion did not start";
  const auto tab = launched.find('\t');
  ASSERT_NE(tab, std::string::npos);
  // Working folder first, then the command line: no arguments after the program.
  std::string expectedFolder;
  for (wchar_t c : game / L"Game") expectedFolder += static_cast<char>(c);
  EXPECT_EQ(_stricmp(launched.substr(0, tab).c_str(), expectedFolder.c_str()), 0) << launched;
  const std::string commandLine = launched.substr(tab + 1);
  EXPECT_NE(commandLine.find("gamemd.exe"), std::string::npos) << commandLine;
  EXPECT_TRUE(log.messages.empty());
  EXPECT_FALSE(exists(game / L"Base\\launch.log")) << "the base game is never launched";
  EXPECT_EQ(form->caption(9) + form->caption(13) + form->caption(15), captionsBefore);
}

TEST_F(GameLaunchTest, SaysWhyWhenTheGameCannotStart) {
  // No registry entries: the launch target reads as unknown.
  auto form = Form1::create(::GetModuleHandleW(nullptr), log.informer());
  ASSERT_TRUE(form);
  form->Command2_Click();
  ASSERT_EQ(log.messages.size(), 1u);
  EXPECT_NE(log.messages[0].find(L"未知"), std::wstring::npos) << log.messages[0];

  // A recorded program that was deleted since.
  log.messages.clear();
  registry.installGame(game / L"Base\\Ra2.exe", game / L"Game\\gone.exe");
  auto second = Form1::create(::GetModuleHandleW(nullptr), log.informer());
  second->Command2_Click();
  ASSERT_EQ(log.messages.size(), 1u);
  EXPECT_NE(log.messages[0].find(L"gone.exe"), std::wstring::npos) << log.messages[0];
}

}  // namespace
