// Drives the real Tarnwick.exe from outside, only with window messages, in a fresh demo
// install: the player's road (choose, install, start a second program, close, start
// again, remove), and the road cut short by ending the program from outside, as a crash
// or a power cut would.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "platform/folder_walk.h"
#include "window_driver.h"

namespace {

using namespace tarnwick::e2e;
using namespace tarnwick::layout;
using namespace tarnwick::test;

using Digest = std::map<std::wstring, std::string>;

// Each file's size and a hash of its bytes: enough to tell any change, short to print.
Digest digestOf(const std::wstring& folder) {
  Digest digest;
  for (const auto& [name, bytes] : filesIn(folder)) {
    digest[name] = std::to_string(bytes.size()) + ":" + std::to_string(std::hash<std::string>{}(bytes));
  }
  return digest;
}

std::string record() { return readBytes(kRecord).value_or("<missing>"); }

// Starts the program again, which shows `inUse` as installed when that is known, presses
// "移除地图包" and closes it: the game folder must be as `before`, with no kept original
// left over and an empty record.
void expectOneRemovalRestores(const Digest& before, const std::string& what, const wchar_t* inUse = nullptr) {
  {
    RunningProgram program;
    ASSERT_NE(program.window(), nullptr) << what << ": the main window did not appear";
    if (inUse != nullptr) {
      EXPECT_EQ(program.label(13), inUse) << what;
    }
    click(program.control(kIdCommand4));
    ASSERT_TRUE(waitUntil([&] { return program.listed() == 0 && program.label(13) == L"未知"; }, 60)) << what;
    EXPECT_EQ(program.messageBox(), nullptr)
        << what << ": " << testing::PrintToString(messageBoxText(program.messageBox()));
    ASSERT_TRUE(program.close()) << what << ": closing the main window ends the program";
  }
  EXPECT_EQ(digestOf(kGameFolder), before) << what;
  EXPECT_TRUE(filesIn(std::wstring(kPackFolder) + L"\\.originals").empty()) << what;
  EXPECT_EQ(record(), "") << what;
}

TEST(DemoRoad, InstallRestartRemoveLeavesTheGameFolderAsItWas) {
  ASSERT_EQ(::GetACP(), 936u) << "the players' own code page";
  const Digest before = digestOf(kGameFolder);
  RunningProgram program;
  ASSERT_NE(program.window(), nullptr) << "the main window did not appear (TARNWICK_EXE names the program)";
  // Start-up shows the installed game, no pack in use, and the packs.
  const std::pair<int, const wchar_t*> labels[] = {{1, L"Red Alert 2"}, {4, L"10006"}, {10, L"Yuri's Revenge"},
                                                   {7, L"10001"}, {9, L"C:\\Westwood\\RA2\\gamemd.exe"},
                                                   {13, L"未知"}, {15, L"未知"}};
  for (const auto& [slot, text] : labels) EXPECT_EQ(program.label(slot), text) << slot;
  EXPECT_EQ(windowText(program.control(kIdCombo1)), L"请选择..");
  const auto packs = comboItems(program.control(kIdCombo1));
  EXPECT_EQ(packs.size(), 9u);
  EXPECT_NE(std::find(packs.begin(), packs.end(), L"红色警戒 中文地图包"), packs.end());

  // The demo's pack of maps lists its five maps.
  program.choose(L"Skirmish Maps");
  HWND maps = program.control(kIdListView1);
  EXPECT_TRUE(waitUntil([&] { return ::SendMessageW(maps, LVM_GETITEMCOUNT, 0, 0) == 5; }, 20));

  // A pack without maps shows its three pictures and is refused with a message; nothing changes.
  program.choose(L"Pictures Only");
  ASSERT_TRUE(waitUntil([&] { return ::IsWindowVisible(program.control(kIdImageFirst + 2)) != FALSE; }, 20));
  EXPECT_FALSE(::IsWindowVisible(program.control(kIdImageFirst + 3)));
  click(program.control(kIdCommand3));
  HWND box = program.messageBox(10);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(messageBoxText(box), L"请选择地图包");
  click(::GetDlgItem(box, IDOK));
  EXPECT_EQ(digestOf(kGameFolder), before);

  // The pack that overwrites a game file installs, and its record survives the program.
  program.choose(L"Rules Mod");
  click(program.control(kIdCommand3));
  ASSERT_TRUE(waitUntil([&] { return program.listed() == 4; }, 20));
  EXPECT_EQ(program.messageBox(), nullptr) << messageBoxText(program.messageBox());
  EXPECT_EQ(program.label(13), L"Rules Mod");
  EXPECT_EQ(program.label(15), L"C:\\Westwood\\RA2\\ZAzod\\Rules Mod");
  for (const wchar_t* name : {L"Rules Test.jpg", L"Rules Test.map", L"ra2md.csf", L"rulesmd.ini"}) {
    EXPECT_EQ(readBytes(std::wstring(kGameFolder) + L"\\" + name),
              readBytes(std::wstring(kPackFolder) + L"\\Rules Mod\\" + name)) << name;
  }

  // Two programs on one game folder would undo each other's installs: a second one says so,
  // brings the first forward (from behind another window) and ends.
  HWND elsewhere = ::CreateWindowExW(0, L"STATIC", L"elsewhere", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                     nullptr, nullptr, nullptr);
  ::SetForegroundWindow(elsewhere);
  ASSERT_TRUE(waitUntil([&] { return ::GetForegroundWindow() == elsewhere; }, 5));
  {
    RunningProgram second(false);
    box = second.messageBox(30);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(messageBoxText(box), L"另一个 Tarnwick 正在管理游戏目录“C:\\Westwood\\RA2”。\r\n请使用已打开的那个窗口；本程序将退出。");
    click(::GetDlgItem(box, IDOK));
    ASSERT_TRUE(second.ended());
  }
  EXPECT_TRUE(waitUntil([&] { return ::GetForegroundWindow() == program.window(); }, 5)) << "the first comes forward";
  ::DestroyWindow(elsewhere);
  EXPECT_EQ(program.messageBox(), nullptr);

  ASSERT_TRUE(program.close());
  EXPECT_EQ(record(), "C:\\Westwood\\RA2\\ZAzod\\Rules Mod\r\nRules Mod\r\n 4 \r\nra2md.csf\r\nRules Test.jpg\r\n"
                      "Rules Test.map\r\nrulesmd.ini\r\n");
  expectOneRemovalRestores(before, "the demo road", L"Rules Mod");
}

// Crash A replaces the game's rulesmd.ini and string table, Crash B its rulesmd.ini; each
// has large files to make the copying take a while and small ones to make the removal
// take one, all named after the pack.
constexpr size_t kLargeFiles = 24, kSmallFiles = 60, kNamedFiles = 1 + kLargeFiles + kSmallFiles;

void writePack(const std::wstring& name, bool withStringTable) {
  const std::wstring folder = std::wstring(kPackFolder) + L"\\" + name + L"\\";
  const std::string bytes(name.begin(), name.end());
  makeFolder(folder);
  writeBytes(folder + name + L".map", "[Basic]\r\nName=" + bytes + "\r\n");
  writeBytes(folder + L"rulesmd.ini", "; rules of pack " + bytes + "\r\n");
  if (withStringTable) writeBytes(folder + L"ra2md.csf", "pack csf");
  for (size_t i = 0; i < kLargeFiles + kSmallFiles; ++i) {
    const bool large = i < kLargeFiles;
    writeBytes(folder + name + L" " + std::to_wstring(i) + (large ? L".mix" : L".ini"),
               large ? bytes + std::string(8u << 20, static_cast<char>(i)) : std::to_string(i));
  }
}

// How many files named after the pack are in the game folder, unfinished copies left out.
size_t packFilesInGame(const std::wstring& pack) {
  size_t count = 0;
  tarnwick::forEachFolderEntry(std::wstring(kGameFolder) + L"\\" + pack + L"*", [&](const WIN32_FIND_DATAW& found) {
    count += std::wstring_view(found.cFileName).ends_with(tarnwick::kTemporarySuffix) ? 0 : 1;
  });
  return count;
}

enum class Step { Install, Removal, Switch };

struct KillPoint {
  const char* what;
  Step step;            // with Crash A installed whole first, except for Install
  const wchar_t* pack;  // whose files in the game folder are counted
  bool growing;         // killed once at least `files` of them are there, else at most
  size_t files;
};

// Last: it leaves its packs behind.
TEST(CrashRecovery, OneRemovalAfterAKillAtAnyMomentRestoresTheGameFolder) {
  const Digest before = digestOf(kGameFolder);
  writePack(L"Crash A", true);
  writePack(L"Crash B", false);
  const KillPoint points[] = {
      {"install killed at its first file", Step::Install, L"Crash A", true, 1},
      {"install killed half-way", Step::Install, L"Crash A", true, kNamedFiles / 2},
      {"install killed at its last file", Step::Install, L"Crash A", true, kNamedFiles},
      {"removal killed half-way", Step::Removal, L"Crash A", false, kNamedFiles / 2},
      {"switch killed removing the old pack", Step::Switch, L"Crash A", false, kNamedFiles / 2},
      {"switch killed installing the new pack", Step::Switch, L"Crash B", true, kNamedFiles / 2},
  };
  for (const KillPoint& point : points) {
    {
      RunningProgram program;
      ASSERT_NE(program.window(), nullptr) << point.what;
      if (point.step != Step::Install) {
        program.choose(L"Crash A");
        click(program.control(kIdCommand3));
        ASSERT_TRUE(waitUntil([&] { return program.listed() == kNamedFiles + 2; }, 60)) << point.what;
      }
      program.choose(point.step == Step::Switch ? L"Crash B" : L"Crash A");
      click(program.control(point.step == Step::Removal ? kIdCommand4 : kIdCommand3));
      if (point.step == Step::Switch) {
        ASSERT_NE(program.messageBox(10), nullptr) << point.what;
        click(::GetDlgItem(program.messageBox(), IDYES));
      }
      ASSERT_TRUE(waitUntil([&] {
        const size_t files = packFilesInGame(point.pack);
        return point.growing ? files >= point.files : files <= point.files;
      }, 60, 0)) << point.what;
      program.kill();
    }
    expectOneRemovalRestores(before, point.what);
    if (HasFatalFailure()) return;
  }
}

}  // namespace
