#include "app/game_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarnwick {
namespace {

TEST(GameDir, DropsTheLastPathComponent) {
  const std::vector<std::pair<std::wstring, std::wstring>> cases = {
      {L"D:\\Games\\RA2\\game.exe", L"D:\\Games\\RA2"}, {L"D:\\Games\\RA2\\", L"D:\\Games\\RA2"},
      {L"未知", L"未知"}, {L"D:\\x.exe", L"D:"}, {L"\\x", L""}, {L"", L""},
      {L"D:\\游戏\\红警\\gamemd.exe", L"D:\\游戏\\红警"}, {L"D:/Games/RA2/game.exe", L"D:/Games/RA2/game.exe"},
  };
  for (const auto& [installPath, gameDir] : cases) {
    EXPECT_EQ(gameDirFromInstallPath(installPath), gameDir) << ::testing::PrintToString(installPath);
  }
}

}  // namespace
}  // namespace tarnwick
