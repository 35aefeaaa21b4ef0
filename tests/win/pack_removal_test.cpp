#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "app/message_boxes.h"
#include "app/messages.h"
#include "support/files.h"
#include "support/test_game.h"

namespace {

using namespace tarnwick::test;
using tarnwick::systemErrorText;

using Names = std::vector<std::wstring>;

bool contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

// A window started on a record of the pack "P" listing `files`.
std::unique_ptr<tarnwick::Form1> openWithRecord(TestGame& game, const Names& files) {
  std::wstring text = L"P\r\nP\r\n " + std::to_wstring(files.size()) + L" \r\n";
  for (const auto& file : files) text += file + L"\r\n";
  writeBytes(game.record(), ansi(text));
  return game.open();
}

TEST(PackRemoval, DeletesTheListedFilesAndRestoresTheStringTable) {
  TestGame game;
  game.addPack(L"B", {{L"b.map", "b"}, {L"ra2md.csf", "pack csf"}});
  const FileContents before = filesIn(game.dir());
  auto form = game.open();
  choosePack(*form, L"B");
  form->Command3_Click();
  ASSERT_EQ(readBytes(game / L"ra2md.csf"), "pack csf");

  form->Command4_Click();
  EXPECT_TRUE(game.log.messages.empty());
  EXPECT_EQ(filesIn(game.dir()), before);
  EXPECT_TRUE(listItems(*form).empty());
  EXPECT_EQ(form->caption(15), L"未知");
  EXPECT_EQ(form->caption(13), L"未知");
  EXPECT_EQ(readBytes(game.record()), "");
  EXPECT_EQ(readBytes(game.packs() + L"\\B\\b.map"), "b") << "the pack's own folder stays";

  writeBytes(game / L"ra2md.csf", "changed");
  form->Command4_Click();  // an empty list: nothing at all happens
  EXPECT_EQ(readBytes(game / L"ra2md.csf"), "changed");
  EXPECT_TRUE(game.log.messages.empty());
}

TEST(PackRemoval, AFileAlreadyGoneStaysListed) {
  TestGame game;
  game.addPack(L"B", {{L"b.map", "b"}});
  writeBytes(game / L"a.map", "a");
  auto form = openWithRecord(game, {L"a.map", L"gone.jpg"});
  form->Command4_Click();
  EXPECT_TRUE(game.log.messages.empty());
  EXPECT_FALSE(exists(game / L"a.map"));
  EXPECT_EQ(listItems(*form), Names{L"gone.jpg"});
  EXPECT_EQ(form->caption(13), L"未知");
  EXPECT_EQ(readBytes(game.record()), "\xCE\xB4\xD6\xAA\r\n\xCE\xB4\xD6\xAA\r\n 1 \r\ngone.jpg\r\n");

  choosePack(*form, L"B");  // no pack in use to ask about: installed at once
  form->Command3_Click();
  EXPECT_TRUE(game.log.questions.empty());
  EXPECT_EQ(listItems(*form), Names{L"b.map"});
}

// The record can be edited: no listed name may reach outside the game folder or a
// device, and folders are not deleted. What stays is reported, all in one message, and the pack
// stays shown as installed.
TEST(PackRemoval, NamesThatAreNoPlainFileStayListedAndUntouched) {
  TestGame game;
  const std::wstring outside = game.temp() / L"outside.txt";
  writeBytes(outside, "keep me");
  writeBytes(game / L"a.map", "a");
  writeBytes(game / L"ra2md.csf", "pack csf");  // not listed: restored all the same
  makeFolder(game / L"Maps");
  writeBytes(game / L"Maps\\inside.map", "inside");
  // Devices this machine doesn't have: were the rule broken, Wine would unlink their files.
  const Names unsafe = {L"..\\outside.txt", outside, L"", L"..", L"Maps\\inside.map", L"com9", L"LPT3.txt"};
  Names listed = unsafe;
  listed.insert(listed.begin() + 2, L"a.map");
  listed.push_back(L"Maps");
  auto form = openWithRecord(game, listed);
  ASSERT_EQ(listItems(*form), listed);

  form->Command4_Click();
  EXPECT_EQ(readBytes(outside), "keep me");
  EXPECT_EQ(readBytes(game / L"Maps\\inside.map"), "inside");
  EXPECT_FALSE(exists(game / L"a.map"));
  Names remaining = unsafe;
  remaining.push_back(L"Maps");
  EXPECT_EQ(listItems(*form), remaining);
  EXPECT_EQ(form->caption(13), L"P");
  ASSERT_EQ(game.log.messages.size(), 1u);
  for (const auto& name : remaining) {
    EXPECT_TRUE(contains(game.log.messages[0], L"“" + name + L"”")) << testing::PrintToString(name);
  }
  EXPECT_EQ(readBytes(game / L"ra2md.csf"), TestGame::kGameTable);
}

TEST(PackRemoval, ReadOnlyFilesGoFilesInUseStay) {
  TestGame game;
  writeBytes(game / L"read-only.map", "r");
  addAttributes(game / L"read-only.map", FILE_ATTRIBUTE_READONLY);
  writeBytes(game / L"in use.ini", "u");
  writeBytes(game / L"ra2md.csf", "pack csf");
  auto form = openWithRecord(game, {L"read-only.map", L"in use.ini", L"ra2md.csf"});
  {
    HeldOpen held(game / L"in use.ini");
    form->Command4_Click();
  }
  EXPECT_FALSE(exists(game / L"read-only.map"));
  EXPECT_EQ(readBytes(game / L"in use.ini"), "u");
  EXPECT_EQ(readBytes(game / L"ra2md.csf"), TestGame::kGameTable);
  EXPECT_EQ(listItems(*form), Names{L"in use.ini"});
  EXPECT_EQ(form->caption(13), L"P");
  ASSERT_EQ(game.log.messages.size(), 1u);
  EXPECT_TRUE(contains(game.log.messages[0], L"in use.ini"));
  EXPECT_TRUE(contains(game.log.messages[0], systemErrorText(ERROR_SHARING_VIOLATION))) << game.log.messages[0].size();
  EXPECT_EQ(readBytes(game.record()), "P\r\nP\r\n 1 \r\nin use.ini\r\n");

  form->Command4_Click();  // once the game let go, the next removal takes it out
  EXPECT_FALSE(exists(game / L"in use.ini"));
  EXPECT_EQ(form->caption(13), L"未知");
  EXPECT_EQ(readBytes(game.record()), "");
}

// Without the pristine copy the string table is left as it is, even a pack's: deleting
// it would leave the game without one.
TEST(PackRemoval, AMissingPristineStringTableLeavesTheStringTable) {
  TestGame game;
  ::DeleteFileW((game.packs() + L"\\ra2md.csf").c_str());
  writeBytes(game / L"a.map", "a");
  writeBytes(game / L"ra2md.csf", "pack csf");
  auto form = openWithRecord(game, {L"a.map", L"ra2md.csf"});
  form->Command4_Click();
  EXPECT_FALSE(exists(game / L"a.map"));
  EXPECT_EQ(readBytes(game / L"ra2md.csf"), "pack csf");
  EXPECT_EQ(listItems(*form), Names{L"ra2md.csf"});
  EXPECT_EQ(form->caption(13), L"P");
  ASSERT_EQ(game.log.messages.size(), 1u);
  EXPECT_TRUE(contains(game.log.messages[0], game.packs() + L"\\ra2md.csf"));

  // A pack without its own string table: the game's stays, the pack is gone.
  game.log.messages.clear();
  writeBytes(game / L"ra2md.csf", TestGame::kGameTable);
  writeBytes(game / L"b.map", "b");
  form.reset();  // one program on a game folder at a time
  form = openWithRecord(game, {L"b.map"});
  form->Command4_Click();
  EXPECT_FALSE(exists(game / L"b.map"));
  EXPECT_EQ(readBytes(game / L"ra2md.csf"), TestGame::kGameTable);
  EXPECT_EQ(form->caption(13), L"未知");
  ASSERT_EQ(game.log.messages.size(), 1u);
  EXPECT_TRUE(contains(game.log.messages[0], game.packs() + L"\\ra2md.csf"));
}

BOOL CALLBACK findShownBox(HWND window, LPARAM found) {
  wchar_t windowClass[16]{};
  ::GetClassNameW(window, windowClass, 16);
  if (std::wstring(windowClass) != L"#32770" || !::IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// The box a message is shown in, as the user sees it; it is closed again right away.
RECT shownBoxRect(const std::wstring& text) {
  RECT shown{};
  std::thread closer([&shown, thread = ::GetCurrentThreadId()] {
    HWND box = nullptr;
    for (int tries = 0; tries < 200 && box == nullptr; ++tries) {
      ::Sleep(50);
      ::EnumThreadWindows(thread, findShownBox, reinterpret_cast<LPARAM>(&box));
    }
    ::GetWindowRect(box, &shown);
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  tarnwick::showInformation(nullptr, text);
  closer.join();
  return shown;
}

// Thousands of long names that can't be removed: the message names ten and counts the
// rest, and its box fits on the screen.
TEST(PackRemoval, ALongReportNamesTenAndFitsOnTheScreen) {
  TestGame game;
  Names listed;
  for (int i = 0; i < 3000; ++i) listed.push_back(L"<" + std::to_wstring(i) + std::wstring(400, L'x'));
  auto form = openWithRecord(game, listed);
  form->Command4_Click();
  ASSERT_EQ(game.log.messages.size(), 1u);
  const std::wstring& report = game.log.messages[0];
  EXPECT_EQ(std::count_if(listed.begin(), listed.end(),
                          [&](const std::wstring& name) { return contains(report, L"“" + name + L"”"); }),
            10);
  EXPECT_TRUE(contains(report, L"另有 2990 项未列出")) << report.substr(report.size() - 40);

  const RECT box = shownBoxRect(report);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  ::GetMonitorInfoW(::MonitorFromRect(&box, MONITOR_DEFAULTTONEAREST), &monitor);
  EXPECT_GT(box.bottom, box.top) << "no box was shown";
  EXPECT_GE(box.top, monitor.rcWork.top);
  EXPECT_LE(box.bottom, monitor.rcWork.bottom);
  EXPECT_GE(box.left, monitor.rcWork.left);
  EXPECT_LE(box.right, monitor.rcWork.right);
}

}  // namespace
