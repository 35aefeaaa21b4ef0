// Importing archives and folders as the main window sees it: drops, the queue that keeps
// them out of other handlers, the program started with paths, the receiving end of a
// second program's hand-over, the messages, and the pack chosen afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/form1_layout.h"
#include "app/handover_payload.h"
#include "platform/exclusive_file.h"
#include "support/test_game.h"
#include "support/test_pictures.h"

namespace {

using namespace tarnwick::test;
using Names = std::vector<std::wstring>;
using Files = std::vector<std::pair<std::wstring, std::string>>;

class ImportWindowTest : public testing::Test {
 protected:
  // A folder of the files (a "\" in a name makes its folder), outside the game.
  std::wstring source(const std::wstring& name, const Files& files) {
    const std::wstring folder = game.temp() / name;
    makeFolder(folder);
    for (const auto& [file, bytes] : files) {
      if (file.find(L'\\') != std::wstring::npos) makeFolder(folder + L"\\" + file.substr(0, file.find(L'\\')));
      writeBytes(folder + L"\\" + file, bytes);
    }
    return folder;
  }
  TestGame game;
};

// Folders dropped inside another handler (the message of "复制地图包" with no pack chosen)
// are imported only once it has ended: then they are packs in their place among the
// others, the last one made is chosen and shows its pictures and maps, and one message
// tells of what wasn't there, was refused, or can't be installed as it stands.
TEST_F(ImportWindowTest, DropsWaitForTheHandlerAndOneMessageTellsOfThemAll) {
  game.addPack(L"c", {});
  const Names dropped = {
      source(L"b", {{L"b.map", ""}}), game.temp() / L"gone.zip", source(L"readme", {{L"readme.txt", ""}}),
      source(L"thai", {{L"a.map", ""}, {L"\u0E01.ini", ""}}), game.dir(),
      source(L"set", {{L"A\\a.map", ""}, {L"B\\b.map", ""}, {L"readme.txt", ""}}),
      source(L"地图 A", {{L"a.map", ""}, {L"a.jpg", readBytes(testPicturePath(L"baseline.jpg")).value()}})};
  bool madeInside = false;
  auto form = tarnwick::Form1::create(::GetModuleHandleW(nullptr), [&](HWND owner, std::wstring_view text) {
    game.log.messages.emplace_back(text);
    if (game.log.messages.size() > 1) return;
    dropFiles(owner, dropped);
    pumpMessages();
    madeInside = exists(game.packs() + L"\\b");
  });
  ::SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(tarnwick::layout::kIdCommand3, BN_CLICKED),
                 reinterpret_cast<LPARAM>(form->Command(3)));
  EXPECT_FALSE(madeInside);
  pumpMessages();
  EXPECT_EQ(comboItems(form->Combo1()), (Names{L"A", L"b", L"B (2)", L"c", L"readme", L"thai", L"地图 A"}));
  EXPECT_EQ(windowText(form->Combo1()), L"地图 A");
  EXPECT_TRUE(::GetWindowLongPtrW(form->Image1(0), GWL_STYLE) & WS_VISIBLE);
  ASSERT_EQ(game.log.messages.size(), 2u);
  for (const std::wstring& words :
       {L"找不到以下文件或文件夹，未导入：\r\n" + dropped[1] + L"\r\n\r\n“" + dropped[2] + L"”中没有地图文件",
        L"“" + dropped[3] + L"”已导入为地图包“thai”，但其中的文件名“\u0E01.ini”含有本机代码页（936）",
        L"无法导入“" + dropped[4] + L"”：不能导入游戏目录", L"“" + dropped[5] + L"”是地图包合集：其中的 2 个"}) {
    EXPECT_NE(game.log.messages[1].find(words), std::wstring::npos) << testing::PrintToString(words);
  }
}

// Started with paths, the program makes the pack folder and holds the game folder before
// it decides whether it is the first;
// then it takes well-formed hand-overs for its own game folder. A program started before
// there was a pack folder holds nothing: it takes no hand-over, a drop on it says who holds
// the game folder, its close leaves the holder's record alone; once the holder is gone, a
// drop takes the game folder. Without a game folder, a drop gets one message, nothing is
// unpacked and no hand-over is taken.
TEST_F(ImportWindowTest, StartPathsHoldTheGameFolderFirstAndOnlyItsHolderTakesHandOvers) {
  removeTree(game.packs());
  auto before = game.open(), late = game.open();
  const std::wstring first = source(L"first", {{L"1.map", ""}});
  auto form = tarnwick::Form1::create(::GetModuleHandleW(nullptr), game.log.informer(), {}, {first});
  DWORD error = NO_ERROR;
  EXPECT_TRUE(!tarnwick::holdExclusively(game.packs() + L"\\Tarnwick.lock", error) && tarnwick::isHeldElsewhere(error));
  pumpMessages();
  EXPECT_EQ(windowText(form->Combo1()), L"first");

  const std::string data = tarnwick::encodeHandOver({game.dir(), {source(L"second", {{L"2.map", ""}})}});
  const std::tuple<uintptr_t, std::string, LRESULT> handOvers[] = {
      {tarnwick::kHandOverMark + 1, data, FALSE},
      {tarnwick::kHandOverMark, tarnwick::encodeHandOver({game.temp() / L"RA3", {first}}), FALSE},
      {tarnwick::kHandOverMark, data + "x", FALSE},
      {tarnwick::kHandOverMark, data, TRUE}};
  const auto send = [](HWND to, uintptr_t mark, const std::string& bytes) {
    COPYDATASTRUCT copy{mark, static_cast<DWORD>(bytes.size()), const_cast<char*>(bytes.data())};
    return ::SendMessageW(to, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy));
  };
  for (const auto& [mark, bytes, taken] : handOvers) EXPECT_EQ(send(form->hwnd(), mark, bytes), taken);
  EXPECT_EQ(send(before->hwnd(), tarnwick::kHandOverMark, data), FALSE);
  pumpMessages();
  EXPECT_EQ(comboItems(form->Combo1()), (Names{L"first", L"second"}));
  dropFiles(before->hwnd(), {first});
  pumpMessages();
  EXPECT_EQ(game.log.messages,
            Names{L"另一个 Tarnwick 正在管理游戏目录“" + game.dir() + L"”，请在那个窗口中导入。\r\n未解压任何文件。"});
  closeWindow(*before);
  EXPECT_FALSE(exists(game.record()));
  form.reset();
  dropFiles(late->hwnd(), {first});
  pumpMessages();
  EXPECT_EQ(windowText(late->Combo1()), L"first (2)");

  late.reset();
  GameRegistry::removeAll();
  form = game.open();
  EXPECT_EQ(send(form->hwnd(), tarnwick::kHandOverMark, data), FALSE);
  dropFiles(form->hwnd(), {first});
  pumpMessages();
  EXPECT_EQ(game.log.messages.back(), L"游戏目录未知，无法导入地图包。\r\n未解压任何文件。");
}

}  // namespace
