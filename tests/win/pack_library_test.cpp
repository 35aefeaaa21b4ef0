// The pack library as the user sees it, driven through the real main window: the scan
// into the combo, a pack's file listings, its pictures in the thumbnail slots and in the
// preview windows a click opens, hostile picture files, and the map list.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/message_loop.h"
#include "app/messages.h"
#include "platform/pictures.h"
#include "platform/window_lifetime.h"
#include "support/test_pictures.h"
#include "support/test_game.h"
#include "tests/native/map_text.h"

namespace {

using namespace tarnwick::test;
using Names = std::vector<std::wstring>;
using Files = std::vector<std::pair<std::wstring, std::string>>;

std::string picture(const std::wstring& name) { return readBytes(testPicturePath(name)).value(); }

// This thread's preview windows, the newest first.
std::vector<HWND> previewWindows() {
  std::vector<HWND> found;
  HWND window = nullptr;
  while ((window = ::FindWindowExW(nullptr, window, nullptr, L"图像预览")) != nullptr) found.push_back(window);
  return found;
}

std::pair<int, int> outerSize(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

// The main window itself stays hidden in these tests: a slot's own visibility.
bool shown(HWND slot) { return (::GetWindowLongPtrW(slot, GWL_STYLE) & WS_VISIBLE) != 0; }

class PackLibraryTest : public testing::Test {
 protected:
  // The main window with the pack "p" of these files chosen.
  void open(const Files& files) {
    pack = game.addPack(L"p", files);
    form = game.open();
    choosePack(*form, L"p");
  }
  void TearDown() override {
    for (HWND preview : previewWindows()) ::DestroyWindow(preview);
  }

  TestGame game;
  std::wstring pack;
  std::unique_ptr<tarnwick::Form1> form;
};

// The pack folder's sub-folders become the packs, in name order ignoring case, whatever
// their characters; files (the pack folder holds the pristine string table) and hidden
// folders (where the program may keep data of its own) are no packs. Without packs, or
// without a pack folder, the combo is disabled and says why.
TEST(PackScanTest, SubFoldersBecomeThePacksAndWithoutThemTheComboSaysWhy) {
  TestGame game;
  auto expectScan = [&game](const Names& packs, const wchar_t* status) {
    auto form = game.open();
    EXPECT_EQ(comboItems(form->Combo1()), packs);
    EXPECT_EQ(windowText(form->Combo1()), status);
    EXPECT_EQ(::IsWindowEnabled(form->Combo1()) != FALSE, !packs.empty());
  };
  makeFolder(game.packs() + L"\\hidden");
  addAttributes(game.packs() + L"\\hidden", FILE_ATTRIBUTE_HIDDEN);
  expectScan({}, L"未找到..");
  const Names packs = {L"alpha", L"Beta", L"charlie", L"Delta", L"Tom & Jerry", L"红色警戒 地图"};
  for (const auto& name : packs) makeFolder(game.packs() + L"\\" + name);
  expectScan(packs, L"请选择..");
  // More packs than start-up reads at once: the rest is read on another thread.
  Names many = packs;
  for (int i = 1000; i < 1600; ++i) many.insert(many.end() - 2, L"pack " + std::to_wstring(i));
  for (const auto& name : many) makeFolder(game.packs() + L"\\" + name);
  expectScan(many, L"请选择..");
  removeTree(game.packs());
  expectScan({}, L"请指定包函数地图的资料夹");
  writeBytes(game.packs(), "a file, not a folder");
  expectScan({}, L"请指定包函数地图的资料夹");
}

// A chosen pack lists its files, in name order ignoring case: its pictures, its maps
// and all of them. System files are left out, as hidden ones are (one check for files
// and folders: the scan tries the hidden kind). Gone since the scan, the pack lists
// nothing (so it can't be installed) and the packs are listed again without it.
TEST_F(PackLibraryTest, TheListingsHoldThePacksFilesAndNothingOnceItIsGone) {
  game.addPack(L"other", {});
  Files files;
  for (const wchar_t* name :
       {L"b.map", L"A.MAP", L"notes.txt", L"e.Jpg", L"D.bmp", L"c.JPG", L"pic.jpeg", L"x.bmp.txt", L"system.map"}) {
    files.emplace_back(name, "bytes");
  }
  open(files);
  addAttributes(pack + L"\\system.map", FILE_ATTRIBUTE_SYSTEM);
  makeFolder(pack + L"\\sub.map");
  choosePack(*form, L"p");
  EXPECT_EQ(form->File1().names(), (Names{L"c.JPG", L"D.bmp", L"e.Jpg"}));
  EXPECT_EQ(form->File2().names(), (Names{L"A.MAP", L"b.map"}));
  EXPECT_EQ(form->File3().names(),
            (Names{L"A.MAP", L"b.map", L"c.JPG", L"D.bmp", L"e.Jpg", L"notes.txt", L"pic.jpeg", L"x.bmp.txt"}));

  removeTree(pack);
  choosePack(*form, L"p");
  pumpMessages();
  EXPECT_EQ(form->File3().count(), 0);
  EXPECT_EQ(comboItems(form->Combo1()), Names{L"other"});
  EXPECT_EQ(windowText(form->Combo1()), L"请选择..");
  EXPECT_TRUE(game.log.messages.empty());
}

// The slots show the pack's first twelve pictures, each in its own slot, and nothing of
// the pack chosen before. Pictures built to break a decoder (the header checks have
// their own test of every kind) are never decoded: each leaves its slot hidden,
// silently, which opens nothing, and has no full size. A picture gone since the pack
// was chosen opens nothing and says which and why.
TEST_F(PackLibraryTest, TheSlotsShowThePacksFirstTwelvePicturesThatDecode) {
  const std::string jpeg = picture(L"baseline.jpg");
  Files many;
  for (int i = 1; i <= 14; ++i) many.emplace_back(L"p" + std::to_wstring(100 + i) + L".jpg", jpeg);
  game.addPack(L"14 pictures", many);
  // Headers claiming 2147483647 x 1 pixels of 24 bits, and 65535 x 65535.
  const std::string bmpHeader("BM\0\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\xFF\xFF\xFF\x7F\x01\0\0\0\x01\0\x18\0\0\0\0\0", 34);
  const std::string jpegHeader("\xFF\xD8\xFF\xC0\x00\x0B\x08\xFF\xFF\xFF\xFF\x01\x01\x11\x00", 15);
  open({{L"0 2147483647 wide.bmp", bmpHeader + std::string(4096, '\x55')},
        {L"1 65535 square.jpg", jpegHeader + std::string(4096, '\x80')},
        {L"2 truncated.jpg", picture(L"progressive.jpg").substr(0, 60000)},
        {L"3 corrupt.jpg", picture(L"corrupt.jpg")},
        {L"4 not a bitmap.bmp", "not a bitmap"},
        {L"5 empty.jpg", ""},
        {L"6 sound.jpg", jpeg}});
  choosePack(*form, L"14 pictures");
  for (int slot = 0; slot < 12; ++slot) EXPECT_TRUE(shown(form->Image1(slot))) << slot;
  choosePack(*form, L"p");
  for (int slot = 0; slot < 6; ++slot) {
    EXPECT_FALSE(shown(form->Image1(slot))) << slot;
    form->Image1_Click(slot);
    EXPECT_FALSE(tarnwick::loadPictureFullSize(pack + L"\\" + form->File1().names()[slot])) << slot;
  }
  EXPECT_TRUE(shown(form->Image1(6)));
  ASSERT_TRUE(::DeleteFileW((pack + L"\\6 sound.jpg").c_str()));
  form->Image1_Click(6);
  EXPECT_TRUE(previewWindows().empty());
  EXPECT_EQ(game.log.messages,
            Names{L"无法打开图片：" + pack + L"\\6 sound.jpg\r\n" + tarnwick::systemErrorText(ERROR_FILE_NOT_FOUND)});
}

// Ends a message loop that would otherwise wait for a window that never closes.
void CALLBACK endLoopAfterTimeout(HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(99); }

// Every JPEG and BMP variant shows as a thumbnail made at its slot's size, and every
// click on it opens another ownerless window of the picture's own size showing it at
// full size: both with their colours where another decoder (ImageMagick) has them.
// Closing the main window leaves the previews open; the program ends with the last.
TEST_F(PackLibraryTest, EveryPictureFormatShowsAsAThumbnailAndInAPreviewThatOutlivesTheMainWindow) {
  for (const TestPicture& each : testPictures()) {
    if (each.decodes()) game.addPack(each.name, {{each.name, picture(each.name)}});
  }
  form = game.open();
  RECT slot{};
  ::GetClientRect(form->Image1(0), &slot);
  size_t opened = 0;
  for (const TestPicture& each : testPictures()) {
    if (!each.decodes()) continue;
    SCOPED_TRACE(testing::PrintToString(each.name));
    choosePack(*form, each.name);
    ::SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(form->Image1(0)), STN_CLICKED),
                   reinterpret_cast<LPARAM>(form->Image1(0)));  // a click, as the slot reports it
    const auto previews = previewWindows();
    ASSERT_EQ(previews.size(), ++opened);
    EXPECT_EQ(outerSize(previews[0]), std::pair(each.width, each.height));
    const Pixels thumbnail = readPixels(form->Image1Picture(0));
    const Pixels full = printClient(::GetWindow(previews[0], GW_CHILD));
    EXPECT_EQ(std::pair(thumbnail.width, thumbnail.height), (std::pair<int, int>(slot.right, slot.bottom)));
    for (const Pixels* pixels : {&thumbnail, &full}) {
      const GridDifference difference = compareWithReference(*pixels, each);
      EXPECT_LE(difference.largest, 12) << describe(difference);
      EXPECT_LE(difference.mean, 4) << describe(difference);
    }
  }

  HWND mainWindow = form->hwnd();
  ::SendMessageW(mainWindow, WM_CLOSE, 0, 0);
  // The program's own message loop runs until the last preview is closed, and no longer.
  for (HWND preview : previewWindows()) ::PostMessageW(preview, WM_CLOSE, 0, 0);
  const UINT_PTR guard = ::SetTimer(nullptr, 0, 10000, endLoopAfterTimeout);
  EXPECT_EQ(tarnwick::runMessageLoop(mainWindow), 0) << "the loop only ended when the safety timer fired";
  ::KillTimer(nullptr, guard);
  EXPECT_EQ(tarnwick::openTopLevelWindows(), 0);
}

// A map for `players`, with a preview of two by two pixels when asked: red, green, blue,
// white, packed as the game reads it, one LZO1X block of literals.
const uint32_t kPixels[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};  // 0x00RRGGBB
std::string map(const std::string& name, const std::string& players, bool preview = false) {
  const std::string text = "[Basic]\r\nName=" + name + "\r\n[Header]\r\nNumberStartingPoints=" + players + "\r\n";
  if (!preview) return text;
  const std::string rgb("\xFF\0\0\0\xFF\0\0\0\xFF\xFF\xFF\xFF", 12);
  const std::string block = char(17 + rgb.size()) + rgb + std::string("\x11\0\0", 3);
  const std::string sizes = {char(block.size()), 0, char(rgb.size()), 0};
  return text + "[Preview]\r\nSize=0,0,2,2\r\n[PreviewPack]\r\n" +
         tarnwick::numberedLines(tarnwick::base64Text(sizes + block));
}

// A map list's row: its name, players and file, a space between them.
std::wstring rowText(HWND list, int row) {
  std::wstring text;
  for (int column = 0; column < 3; ++column) {
    wchar_t cell[128]{};
    ListView_GetItemText(list, row, column, cell, 128);
    text += (column > 0 ? L" " : L"") + std::wstring(cell);
  }
  return text;
}

// The chosen pack's maps, one row each (name, players, file); Enter on a row opens the
// map's preview at its own size, or says the map has none.
TEST_F(PackLibraryTest, TheMapListShowsThePacksMapsAndOpensTheirPreviews) {
  open({{L"b.map", map("\xE5\x86\xB0\xE5\xB7\x9D", "4", true)},  // UTF-8
        {L"A.yrm", map("906d,9047,6230,6a21,5f0f,", "9")},
        {L"c.mpr", "[Header]\r\nNumberStartingPoints=8\r\n"},
        {L"d.MAP", map("\xB1\xF9\xB4\xA8", " 2 ")}});  // code page 936
  HWND list = form->ListView1();
  const Names rows = {L"遭遇戰模式  A.yrm", L"冰川 4 b.map", L"c 8 c.mpr", L"冰川 2 d.MAP"};
  ASSERT_EQ(ListView_GetItemCount(list), 4);
  for (int row = 0; row < 4; ++row) EXPECT_EQ(rowText(list, row), rows[static_cast<size_t>(row)]) << row;
  // Enter on a row, through the program's message loop.
  ListView_SetItemState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ::SetFocus(list);
  ::PostMessageW(list, WM_KEYDOWN, VK_RETURN, 0);
  ::PostQuitMessage(0);
  tarnwick::runMessageLoop(form->hwnd());
  form->ListView1_ItemActivate(2);
  const auto previews = previewWindows();
  ASSERT_EQ(previews.size(), 1u);
  EXPECT_EQ(outerSize(previews[0]), std::pair(2, 2));
  const Pixels full = printClient(::GetWindow(previews[0], GW_CHILD));
  ASSERT_EQ(full.width, 2);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(full.at(i % 2, i / 2), kPixels[i]) << "pixel " << i;
  EXPECT_EQ(game.log.messages, Names{L"这张地图没有预览图：c.mpr"});
}

// A click on a column's header sorts the maps by it (names as Explorer orders them,
// players by number with the maps that give none last, files as listed), a second click
// the other way; the header shows which. Choosing the pack starts again in the files'
// order. Typing a name's first letters selects the first such row in the order shown,
// and Enter opens that row's map. (Wine orders Chinese otherwise than Windows.)
TEST(MapSortTest, AClickOnAHeaderSortsTheMapsAndTypingAndEnterFollowTheOrder) {
  TestGame game;
  game.addPack(L"p", {{L"a.map", map("Map10", "2")}, {L"b.map", map("map2", "9")}, {L"C.map", map("Map1", "8")},
                      {L"d.yrm", map("Alpha", "4")}, {L"e.mpr", "[Header]\r\nNumberStartingPoints=2\r\n"}});
  const std::map<wchar_t, std::wstring> rows = {{L'a', L"Map10 2 a.map"}, {L'b', L"map2  b.map"},
      {L'C', L"Map1 8 C.map"}, {L'd', L"Alpha 4 d.yrm"}, {L'e', L"e 2 e.mpr"}};
  struct Case {
    const char* clicks;      // on the name (n), players (p) or file (f) column, or the pack chosen again (c)
    const wchar_t* order;    // the rows' files
    const wchar_t* arrows;   // each column's: up (^), down (v) or none
    const wchar_t* typed;
    const wchar_t* opened;
  } cases[] = {
      {"", L"abCde", L"  ^", L"map", L"a.map"},   {"n", L"deCba", L"^  ", L"map", L"C.map"},
      {"nn", L"abCed", L"v  ", L"ma", L"a.map"},  {"p", L"aedCb", L" ^ ", L"al", L"d.yrm"},
      {"pp", L"Cdeab", L" v ", L"map", L"C.map"}, {"f", L"edCba", L"  v", L"map", L"C.map"},
      {"nf", L"abCde", L"  ^", L"e", L"e.mpr"},   {"nnc", L"abCde", L"  ^", L"map2", L"b.map"},
  };
  for (const Case& each : cases) {
    SCOPED_TRACE(each.clicks);
    auto form = game.open();
    choosePack(*form, L"p");
    HWND list = form->ListView1();
    for (const char* click = each.clicks; *click != '\0'; ++click) {
      if (*click == 'c') choosePack(*form, L"p");
      if (*click != 'c') clickColumnHeader(list, static_cast<int>(std::string_view("npf").find(*click)));
    }
    for (int row = 0; row < 5; ++row) EXPECT_EQ(rowText(list, row), rows.at(each.order[row])) << row;
    std::wstring arrows;
    for (int column = 0; column < 3; ++column) {
      HDITEMW item{};
      item.mask = HDI_FORMAT;
      Header_GetItem(ListView_GetHeader(list), column, &item);
      arrows += item.fmt & HDF_SORTUP ? L'^' : item.fmt & HDF_SORTDOWN ? L'v' : L' ';
    }
    EXPECT_EQ(arrows, each.arrows);
    for (const wchar_t* letter = each.typed; *letter != L'\0'; ++letter) ::SendMessageW(list, WM_CHAR, *letter, 1);
    ::SendMessageW(list, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(game.log.messages, Names{L"这张地图没有预览图：" + std::wstring(each.opened)});
    game.log.messages.clear();
  }
}

}  // namespace
