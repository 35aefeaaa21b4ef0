// Drives the real Tarnwick.exe from outside, only with window messages, in a fresh
// demo install: choose a pack, install it, close, start again, remove it, close.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

#include "running_program.h"
#include "window_driver.h"

namespace {

using namespace tarnwick::e2e;

using tarnwick::test::ansi;

TEST(DemoRoad, InstallRestartRemoveLeavesTheGameFolderAsItWas) {
  ASSERT_NE(_wgetenv(L"TARNWICK_EXE"), nullptr) << "TARNWICK_EXE names the program to drive";
  ASSERT_EQ(::GetACP(), 936u) << "the players' own code page";
  const auto before = filesIn(kGameFolder);
  ASSERT_TRUE(before.count(L"rulesmd.ini")) << "the demo's own game file";

  // Start-up shows the installed game and the packs.
  {
    RunningProgram program;
    ASSERT_NE(program.window(), nullptr) << "the main window did not appear";
    EXPECT_EQ(program.label(1), L"Red Alert 2");
    EXPECT_EQ(program.label(4), L"10006");
    EXPECT_EQ(program.label(10), L"Yuri's Revenge");
    EXPECT_EQ(program.label(7), L"10001");
    EXPECT_EQ(program.label(9), L"C:\\Westwood\\RA2\\gamemd.exe");
    EXPECT_EQ(program.label(13), L"未知");
    EXPECT_EQ(program.label(15), L"未知");
    HWND combo = program.control(kCombo1);
    EXPECT_EQ(windowText(combo), L"请选择..");
    EXPECT_TRUE(::IsWindowEnabled(combo));
    const auto packs = comboItems(combo);
    EXPECT_EQ(packs.size(), 9u);
    EXPECT_GE(comboIndexOf(combo, L"红色警戒 中文地图包"), 0);

    // The demo's pack of maps lists its five maps.
    choose(combo, comboIndexOf(combo, L"Skirmish Maps"));
    EXPECT_TRUE(waitUntil([&] { return ::SendMessageW(program.control(kListView1), LVM_GETITEMCOUNT, 0, 0) == 5; }, 20));

    // A pack without maps is refused with a message, and nothing changes.
    choose(combo, comboIndexOf(combo, L"Pictures Only"));
    ASSERT_TRUE(waitUntil([&] { return ::IsWindowVisible(program.control(kImageFirst + 2)) != FALSE; }, 20))
        << "its three pictures should show";
    EXPECT_FALSE(::IsWindowVisible(program.control(kImageFirst + 3)));
    click(program.control(kCommand3));
    HWND box = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (box = findMessageBox(program.id())) != nullptr; }, 10));
    EXPECT_EQ(messageBoxText(box), L"请选择地图包");
    pressOk(box);
    EXPECT_EQ(filesIn(kGameFolder), before);

    // The pack that overwrites a game file installs.
    choose(combo, comboIndexOf(combo, L"Rules Mod"));
    ASSERT_TRUE(waitUntil([&] { return ::IsWindowVisible(program.control(kImageFirst)) != FALSE; }, 20));
    click(program.control(kCommand3));
    ASSERT_TRUE(waitUntil([&] { return listBoxItems(program.control(kList1)).size() == 4; }, 20));
    EXPECT_EQ(findMessageBox(program.id()), nullptr) << messageBoxText(findMessageBox(program.id()));
    EXPECT_EQ(program.label(13), L"Rules Mod");
    EXPECT_EQ(program.label(15), L"C:\\Westwood\\RA2\\ZAzod\\Rules Mod");
    const std::wstring pack = std::wstring(kPackFolder) + L"\\Rules Mod\\";
    const auto installed = filesIn(kGameFolder);
    for (const wchar_t* name : {L"Rules Test.jpg", L"Rules Test.map", L"ra2md.csf", L"rulesmd.ini"}) {
      ASSERT_TRUE(installed.count(name)) << name;
      EXPECT_EQ(installed.at(name), readFile(pack + name)) << name;
    }
    ASSERT_TRUE(program.close()) << "closing the main window ends the program";
  }

  const std::string expectedRecord = ansi(
      L"C:\\Westwood\\RA2\\ZAzod\\Rules Mod\r\nRules Mod\r\n 4 \r\nra2md.csf\r\nRules Test.jpg\r\nRules Test.map\r\n"
      L"rulesmd.ini\r\n");
  EXPECT_EQ(readFile(kRecord), expectedRecord);

  // Started again, it shows the recorded pack and removes it.
  {
    RunningProgram program;
    ASSERT_NE(program.window(), nullptr);
    EXPECT_EQ(program.label(13), L"Rules Mod");
    EXPECT_EQ(program.label(15), L"C:\\Westwood\\RA2\\ZAzod\\Rules Mod");
    EXPECT_EQ(listBoxItems(program.control(kList1)).size(), 4u);
    click(program.control(kCommand4));
    ASSERT_TRUE(waitUntil([&] { return listBoxItems(program.control(kList1)).empty(); }, 20));
    ASSERT_TRUE(waitUntil([&] { return program.label(13) == L"未知"; }, 10));
    EXPECT_EQ(findMessageBox(program.id()), nullptr) << messageBoxText(findMessageBox(program.id()));
    EXPECT_EQ(program.label(15), L"未知");
    ASSERT_TRUE(program.close());
  }
  EXPECT_EQ(readFile(kRecord), "") << "nothing installed: an empty record";
  EXPECT_EQ(filesIn(kGameFolder), before) << "the game folder is byte for byte as it was";
}

// Two programs on one game folder would undo each other's installs: a second one says so,
// brings the first forward and ends; the first goes on, and once it has ended the next
// program starts as usual.
TEST(DemoRoad, ASecondProgramOnTheSameGameFolderEnds) {
  RunningProgram first;
  ASSERT_NE(first.window(), nullptr);
  const std::string record = readFile(kRecord);
  // Another window in front, as when the user went on elsewhere.
  HWND elsewhere = ::CreateWindowExW(0, L"STATIC", L"elsewhere", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                                     nullptr, nullptr);
  ::SetForegroundWindow(elsewhere);
  ASSERT_TRUE(waitUntil([&] { return ::GetForegroundWindow() == elsewhere; }, 5));
  {
    RunningProgram second(false);
    HWND box = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (box = findMessageBox(second.id())) != nullptr; }, 30));
    EXPECT_EQ(messageBoxText(box), L"另一个 Tarnwick 正在管理游戏目录“C:\\Westwood\\RA2”。\r\n请使用已打开的那个窗口；本程序将退出。");
    pressOk(box);
    ASSERT_TRUE(second.ended());
  }
  EXPECT_TRUE(waitUntil([&] { return ::GetForegroundWindow() == first.window(); }, 5)) << "the first comes forward";
  ::DestroyWindow(elsewhere);
  EXPECT_EQ(comboItems(first.control(kCombo1)).size(), 9u) << "the lock file is no pack";
  EXPECT_EQ(findMessageBox(first.id()), nullptr);
  ASSERT_TRUE(first.close());
  EXPECT_EQ(readFile(kRecord), record);

  RunningProgram next;
  ASSERT_NE(next.window(), nullptr);
  EXPECT_EQ(findMessageBox(next.id()), nullptr);
  EXPECT_TRUE(next.close());
}

}  // namespace
