// The main window without packs: what start-up reads from the registry, where every
// control sits at each DPI, long work, and the start of the game.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/busy_window.h"
#include "app/form1.h"
#include "app/form1_layout.h"
#include "app/messages.h"
#include "app/texts.h"
#include "game/reg_keys.h"
#include "support/fixtures.h"
#include "support/test_game.h"

namespace {

using namespace std::string_literals;
using namespace tarnwick::test;
using Names = std::vector<std::wstring>;
namespace layout = tarnwick::layout;

class MainWindowTest : public testing::Test {
 protected:
  std::unique_ptr<tarnwick::Form1> open(std::wstring programFolder = {}) {
    log.messages.clear();
    auto form = tarnwick::Form1::create(::GetModuleHandleW(nullptr), log.informer(), {}, {}, std::move(programFolder));
    pumpMessages();
    return form;
  }
  GameRegistry registry;
  MessageLog log;
};

// The game's name stored as an installer or a stranger may reads as the game reads it:
// texts as stored, up to a NUL, when their ANSI form (code page 936 here) with its NUL
// fits the game's 1024-byte buffer; 32-bit numbers in hexadecimal; anything else as
// nothing (which the window shows as 未知).
TEST_F(MainWindowTest, TheRegistrysEntriesReadAsTheGameReadsThem) {
  // Each value's bytes as stored (a text with its NUL) and what the game reads of them.
  const struct {
    DWORD type;
    std::wstring stored;
    std::wstring read;
  } names[] = {
      {REG_SZ, L"红色警戒2 & more\0"s, L"红色警戒2 & more"},
      {REG_SZ, L"cut\0here\0"s, L"cut"},
      {REG_SZ, std::wstring(511, L'红') + L"x\0"s, std::wstring(511, L'红') + L"x"},  // 1024 bytes in code page 936
      {REG_SZ, std::wstring(512, L'红') + L'\0', L""},                                 // 1025 bytes
      {REG_DWORD, std::wstring(2, L'\xFFFF'), L"FFFFFFFF"},
      {REG_BINARY, L"ab"s, L""},
  };
  for (const auto& name : names) {
    SCOPED_TRACE(testing::PrintToString(name.stored.substr(0, 12)));
    registry.setBytes(GameRegistry::kGameKey, L"Name", name.type, name.stored.data(),
                      static_cast<DWORD>(name.stored.size() * sizeof(wchar_t)));
    EXPECT_EQ(tarnwick::RegKeys::ReadRegValue(HKEY_LOCAL_MACHINE, GameRegistry::kGameKey, L"Name"), name.read);
  }
}

// Start-up shows the registry's entries, or 未知, and takes the game folder from the
// expansion's path. A game the registry doesn't know (no entries, or its folder gone since)
// is looked for around the program, in its folder and then in the parent, and shown as
// found: the programs' paths, the names and versions the registry gives, and the game's
// packs. Where the registry names a game that is there, it wins.
TEST_F(MainWindowTest, StartUpShowsTheRegistrysGameOrTheOneAroundTheProgram) {
  TempFolder temp;
  for (const auto& [game, pack] : {std::pair{L"RA2", L"装"}, std::pair{L"Green", L"绿"}}) {
    makeFolder(temp / game + L"\\ZAzod\\" + pack);
    for (const wchar_t* program : {L"\\gamemd.exe", L"\\Ra2.exe"}) writeBytes(temp / game + program, "MZ");
  }
  for (const wchar_t* folder : {L"Elsewhere", L"Odd\\gamemd.exe"}) makeFolder(temp / folder);
  enum class Registry { None, Gone, RA2 };
  const struct {
    const char* what;
    Registry registry;
    const wchar_t* programIn;  // the program's folder
    std::wstring game;         // the game folder shown; none when empty
    Names packs;
  } cases[] = {
      {"registry missing, program in the game folder", Registry::None, L"Green", L"Green", {L"绿"}},
      {"registry naming a vanished folder, program in ZAzod", Registry::Gone, L"Green\\ZAzod", L"Green", {L"绿"}},
      {"registry naming a game that is there, program in a copy", Registry::RA2, L"Green", L"RA2", {L"装"}},
      {"registry missing, program elsewhere", Registry::None, L"Elsewhere", L"", {}},
      {"registry naming a vanished folder, program elsewhere", Registry::Gone, L"Elsewhere", L"Gone", {}},
      {"registry missing, a folder named gamemd.exe", Registry::None, L"Odd", L"", {}},
  };
  for (const auto& c : cases) {
    GameRegistry::removeAll();
    const std::wstring registered = temp / (c.registry == Registry::Gone ? L"Gone" : L"RA2");
    if (c.registry != Registry::None) registry.installGame(registered + L"\\Ra2.exe", registered + L"\\gamemd.exe");
    auto form = open(temp / c.programIn);
    const bool named = c.registry != Registry::None, found = !c.game.empty();
    const std::wstring game = temp / c.game, unknown = L"未知";
    const std::pair<int, std::wstring> captions[] = {
        {1, named ? L"Red Alert 2" : unknown},    {4, named ? L"10006" : unknown}, {2, found ? game + L"\\Ra2.exe" : unknown},
        {10, named ? L"Yuri's Revenge" : unknown}, {7, named ? L"10001" : unknown},
        {9, found ? game + L"\\gamemd.exe" : unknown}, {13, unknown}, {15, unknown}};
    for (const auto& [slot, caption] : captions) EXPECT_EQ(form->caption(slot), caption) << c.what << ", slot " << slot;
    EXPECT_EQ(form->GameDir(), found ? game : unknown) << c.what;
    EXPECT_EQ(comboItems(form->Combo1()), c.packs) << c.what;
    EXPECT_TRUE(log.messages.empty()) << c.what;
  }
}

// Every control of the layout table at its place in twips, at 96 dots per inch and
// again after a move to a monitor of twice the density. Labels that fit their text
// and the combo (whose height is its drop-down list's) are only placed.
TEST_F(MainWindowTest, EveryControlTakesItsPlaceAtEachDpi) {
  auto form = open();
  struct Placed {
    HWND control;
    layout::TwipsRect rect;
    bool sized = true;
  };
  std::vector<Placed> controls = {
      {form->Command(1), layout::kCommand1.rect}, {form->Command(2), layout::kCommand2.rect},
      {form->Command(3), layout::kCommand3.rect}, {form->Command(4), layout::kCommand4.rect},
      {form->Combo1(), layout::kCombo1, false},   {form->List1(), layout::kList1},
      {form->ListView1(), layout::kListView1}};
  for (int i = 0; i < 3; ++i) controls.push_back({form->Frame(i), layout::kFrames[static_cast<size_t>(i)].rect});
  for (int image = 0; image < 12; ++image) controls.push_back({form->Image1(image), layout::thumbnailRect(image)});
  int slot = 0;
  for (const auto& label : layout::kLabels) controls.push_back({form->Label1(slot++), label.rect, label.wraps});
  RECT client{};
  ::GetClientRect(form->hwnd(), &client);
  EXPECT_EQ(client.right, ::MulDiv(layout::kClientWidth, 96, 1440));
  EXPECT_EQ(client.bottom, ::MulDiv(layout::kClientHeight, 96, 1440));
  for (const int dpi : {96, 192}) {
    RECT suggested{0, 0, 1000, 700};  // within the test screen, which caps window sizes
    if (dpi != 96) {
      ::SendMessageW(form->hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    }
    auto px = [dpi](int twips) { return LONG{::MulDiv(twips, dpi, 1440)}; };
    for (const Placed& placed : controls) {
      SCOPED_TRACE(testing::Message() << dpi << " dpi, control " << ::GetDlgCtrlID(placed.control));
      RECT at{};
      ::GetWindowRect(placed.control, &at);
      ::MapWindowPoints(nullptr, ::GetParent(placed.control), reinterpret_cast<POINT*>(&at), 2);
      EXPECT_EQ(std::pair(at.left, at.top), std::pair(px(placed.rect.left), px(placed.rect.top)));
      if (!placed.sized) continue;
      EXPECT_EQ(std::pair(at.right - at.left, at.bottom - at.top),
                std::pair(px(placed.rect.width), px(placed.rect.height)));
    }
  }
}

// Work that runs long shows its progress in the title, keeps its controls disabled and
// holds a close until it has ended.
TEST_F(MainWindowTest, LongWorkShowsItsProgressAndHoldsAClose) {
  auto form = open();
  HWND window = form->hwnd();
  {
    tarnwick::BusyWindow busy(window, {form->Command(3)});
    const tarnwick::Progress progress = busy.progress(L"正在复制地图包");
    ::Sleep(600);
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    progress(2, 3);
    EXPECT_EQ(windowText(window), L"Tarnwick - 正在复制地图包 2 / 3");
    ::Sleep(200);  // the title changes at most every 100 ms
    busy.progressOfUnknownAll(L"正在解压")(5, std::nullopt);  // an archive that doesn't list its files
    EXPECT_EQ(windowText(window), L"Tarnwick - 正在解压 5");
    EXPECT_FALSE(::IsWindowEnabled(form->Command(3)));
    EXPECT_TRUE(::IsWindow(window)) << "the close waits";
  }
  EXPECT_EQ(windowText(window), L"Tarnwick");
  EXPECT_TRUE(::IsWindowEnabled(form->Command(3)));
  pumpMessages();
  EXPECT_FALSE(::IsWindow(window)) << "and comes once the work has ended";
}

// The launch starts the expansion, without arguments, in the game folder. When it can't
// (the program is gone, or a folder, which the shell would open in a file browser),
// nothing starts and a message says which program and why.
TEST_F(MainWindowTest, LaunchStartsTheExpansionInTheGameFolderOrSaysWhy) {
  TempFolder game;
  ASSERT_TRUE(::CopyFileW(standInGameExe().c_str(), (game / L"gamemd.exe").c_str(), FALSE));
  makeFolder(game / L"Copy\\gamemd.exe");
  ::SetEnvironmentVariableW(L"TARNWICK_STAND_IN_EXIT", L"1");  // it logs its start and ends
  const std::pair<const wchar_t*, std::wstring> cases[] = {  // the expansion, and why it doesn't start
      {L"gone.exe", tarnwick::systemErrorText(ERROR_FILE_NOT_FOUND)},
      {L"Copy\\gamemd.exe", tarnwick::texts::kLaunchTargetIsAFolder},
      {L"gamemd.exe", L""},
  };
  for (const auto& [expansion, why] : cases) {
    registry.installGame(game / L"Ra2.exe", game / expansion);
    open()->Command2_Click();
    EXPECT_EQ(log.messages, why.empty() ? Names{} : Names{tarnwick::texts::gameNotStarted(game / expansion, why)});
  }
  const std::string launched = waitForLaunchLog(game.path());
  ::SetEnvironmentVariableW(L"TARNWICK_STAND_IN_EXIT", nullptr);
  // The expansion's log: its working folder, then its command line (the game folder
  // holds no other program that could have written it).
  const std::string folder = ansi(game.path()) + "\t";
  EXPECT_EQ(_strnicmp(launched.c_str(), folder.c_str(), folder.size()), 0) << launched;
}

}  // namespace
