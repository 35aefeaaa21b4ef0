// The pack library as the user sees it, driven through the real main window: the scan
// into the combo, a pack's file listings, its pictures in the thumbnail slots and in the
// preview windows a click opens, hostile picture files, and the map list.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/form1.h"
#include "app/message_loop.h"
#include "app/messages.h"
#include "app/texts.h"
#include "platform/pictures.h"
#include "platform/window_lifetime.h"
#include "support/bitmap_pixels.h"
#include "support/files.h"
#include "support/messages.h"
#include "support/temp_folder.h"
#include "support/test_game.h"
#include "support/test_pictures.h"
#include "tests/native/map_text.h"

namespace {

using namespace tarnwick::test;
using tarnwick::Form1;
using Names = std::vector<std::wstring>;
using Files = std::vector<std::pair<std::wstring, std::string>>;

const std::wstring kNoFolder = L"请指定包函数地图的资料夹";
const std::wstring kNoPacks = L"未找到..";
const std::wstring kChoose = L"请选择..";

std::string picture(const std::wstring& name) { return readBytes(testPicturePath(name)).value(); }

// The main window itself stays hidden in these tests: a slot's own visibility.
bool shown(HWND slot) { return (::GetWindowLongPtrW(slot, GWL_STYLE) & WS_VISIBLE) != 0; }

BOOL CALLBACK collectPreview(HWND window, LPARAM found) {
  if (windowText(window) == L"图像预览") reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

// This thread's preview windows, in no particular order.
std::vector<HWND> previewWindows() {
  std::vector<HWND> found;
  ::EnumThreadWindows(::GetCurrentThreadId(), collectPreview, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::pair<int, int> outerSize(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

// A click on a thumbnail, as the slot reports it to the main window.
void click(Form1& form, int slot) {
  HWND image = form.Image1(slot);
  ::SendMessageW(form.hwnd(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(image), STN_CLICKED),
                 reinterpret_cast<LPARAM>(image));
}

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
  std::unique_ptr<Form1> form;
};

// The pack folder's sub-folders become the packs, in name order ignoring case, whatever
// their characters; files, and hidden or system folders (where the program may keep
// data of its own), are no packs. Without packs the combo is disabled and says why.
TEST(PackScanTest, SubFoldersBecomeThePacksAndWithoutThemTheComboSaysWhy) {
  const struct {
    const char* what;
    void (*prepare)(TestGame&);
    const std::wstring& status;
    Names packs;
  } cases[] = {
      {"missing", [](TestGame& game) { removeTree(game.packs()); }, kNoFolder, {}},
      {"a file",
       [](TestGame& game) {
         removeTree(game.packs());
         writeBytes(game.packs(), "a file, not a folder");
       },
       kNoFolder, {}},
      {"no packs", [](TestGame&) {}, kNoPacks, {}},
      {"packs", [](TestGame&) {}, kChoose, {L"alpha", L"Beta", L"charlie", L"Delta", L"Tom & Jerry", L"红色警戒 地图"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TestGame game;
    writeBytes(game.packs() + L"\\beside.txt", "a file beside the packs");
    for (const auto& [name, attribute] : {std::pair(L"\\hidden", FILE_ATTRIBUTE_HIDDEN),
                                          std::pair(L"\\system", FILE_ATTRIBUTE_SYSTEM)}) {
      makeFolder(game.packs() + name);
      addAttributes(game.packs() + name, attribute);
    }
    c.prepare(game);
    for (const auto& name : c.packs) makeFolder(game.packs() + L"\\" + name);
    auto form = game.open();
    EXPECT_EQ(comboItems(form->Combo1()), c.packs);
    EXPECT_EQ(windowText(form->Combo1()), c.status);
    EXPECT_EQ(::IsWindowEnabled(form->Combo1()) != FALSE, !c.packs.empty());
    EXPECT_TRUE(game.log.messages.empty());
  }
}

// Chosen from the list (the combo reports the change), a pack lists its files that are
// neither hidden nor system, in name order ignoring case: its pictures, its maps and
// all of them, as they were when it was chosen.
TEST_F(PackLibraryTest, TheListingsHoldThePacksFilesInNameOrderAsTheyWereWhenChosen) {
  pack = game.addPack(L"mixed", {{L"b.map", "b"}, {L"A.MAP", "a"}, {L"notes.txt", "notes"}, {L"e.Jpg", "e"},
                                 {L"D.bmp", "d"}, {L"c.JPG", "c"}, {L"pic.jpeg", "not matched"},
                                 {L"x.bmp.txt", "not matched"}, {L"hidden.jpg", "hidden"}, {L"system.map", "system"}});
  addAttributes(pack + L"\\hidden.jpg", FILE_ATTRIBUTE_HIDDEN);
  addAttributes(pack + L"\\system.map", FILE_ATTRIBUTE_SYSTEM);
  makeFolder(pack + L"\\sub.map");
  game.addPack(L"other", {});
  form = game.open();
  ::SendMessageW(form->Combo1(), CB_SETCURSEL, 0, 0);
  ::SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(form->Combo1()), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(form->Combo1()));

  EXPECT_EQ(form->File3().path(), pack);
  EXPECT_EQ(form->File1().names(), (Names{L"c.JPG", L"D.bmp", L"e.Jpg"}));
  EXPECT_EQ(form->File2().names(), (Names{L"A.MAP", L"b.map"}));
  EXPECT_EQ(form->File3().names(),
            (Names{L"A.MAP", L"b.map", L"c.JPG", L"D.bmp", L"e.Jpg", L"notes.txt", L"pic.jpeg", L"x.bmp.txt"}));
  writeBytes(pack + L"\\z.map", "added later");
  EXPECT_EQ(form->File2().names(), (Names{L"A.MAP", L"b.map"})) << "read when chosen, not again";
  choosePack(*form, L"mixed");
  EXPECT_EQ(form->File2().names(), (Names{L"A.MAP", L"b.map", L"z.map"}));
  EXPECT_TRUE(game.log.messages.empty());
}

// The slots show the pack's first twelve pictures, each in its own slot, and nothing of
// the pack chosen before; a picture that doesn't decode leaves its slot hidden, silently.
TEST_F(PackLibraryTest, TheSlotsShowThePacksPicturesThatDecode) {
  const std::string jpeg = picture(L"baseline.jpg");
  Files many;
  for (int i = 1; i <= 14; ++i) many.emplace_back(L"p" + std::to_wstring(100 + i) + L".jpg", jpeg);
  game.addPack(L"14 pictures", many);
  game.addPack(L"3 pictures", {{L"a.jpg", jpeg}, {L"b.jpg", jpeg}, {L"c.jpg", jpeg}});
  game.addPack(L"damaged", {{L"a.jpg", jpeg}, {L"b.jpg", picture(L"corrupt.jpg")}, {L"c.bmp", picture(L"bmp24.bmp")},
                            {L"d.jpg", ""}, {L"e.bmp", "not a bitmap"}, {L"f.jpg", picture(L"gray.jpg")}});
  game.addPack(L"none", {{L"only.map", "map"}});
  form = game.open();
  const std::pair<const wchar_t*, std::vector<int>> choices[] = {
      {L"14 pictures", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}}, {L"3 pictures", {0, 1, 2}},
      {L"damaged", {0, 2, 5}}, {L"none", {}}};
  for (const auto& [name, slots] : choices) {
    choosePack(*form, name);
    std::vector<int> showing;
    for (int slot = 0; slot < 12; ++slot) {
      if (shown(form->Image1(slot))) showing.push_back(slot);
    }
    EXPECT_EQ(showing, slots) << testing::PrintToString(std::wstring(name));
  }
  EXPECT_TRUE(game.log.messages.empty());
}

// A pack removed since the scan lists nothing (so it can't be installed), and the packs
// are listed again without it; once every pack is gone the status says so.
TEST_F(PackLibraryTest, APackRemovedSinceTheScanListsNothingAndThePacksAreListedAgain) {
  game.addPack(L"q", {});
  open({{L"p.map", "map"}, {L"p.jpg", picture(L"baseline.jpg")}});
  ASSERT_TRUE(shown(form->Image1(0)));
  removeTree(pack);
  choosePack(*form, L"p");
  pumpMessages();
  EXPECT_EQ(form->File3().count(), 0);
  EXPECT_FALSE(shown(form->Image1(0)));
  EXPECT_EQ(comboItems(form->Combo1()), Names{L"q"});
  EXPECT_EQ(windowText(form->Combo1()), kChoose);
  removeTree(game.packs() + L"\\q");
  choosePack(*form, L"q");
  pumpMessages();
  EXPECT_EQ(windowText(form->Combo1()), kNoPacks);
  EXPECT_FALSE(::IsWindowEnabled(form->Combo1()));
  EXPECT_TRUE(game.log.messages.empty());
}

// Every JPEG and BMP variant shows as a thumbnail made at its slot's size, and a click on
// it opens an ownerless window of the picture's own size showing it at full size: both
// with their colours where another decoder (ImageMagick) has them.
TEST_F(PackLibraryTest, EveryPictureFormatShowsAsAThumbnailAndInItsPreview) {
  for (const TestPicture& each : testPictures()) {
    if (each.decodes()) game.addPack(each.name, {{each.name, picture(each.name)}});
  }
  form = game.open();
  RECT slot{};
  ::GetClientRect(form->Image1(0), &slot);
  for (const TestPicture& each : testPictures()) {
    if (!each.decodes()) continue;
    SCOPED_TRACE(testing::PrintToString(each.name));
    choosePack(*form, each.name);
    click(*form, 0);
    const auto previews = previewWindows();
    ASSERT_EQ(previews.size(), 1u);
    EXPECT_EQ(::GetWindow(previews[0], GW_OWNER), nullptr);
    EXPECT_EQ(outerSize(previews[0]), std::pair(each.width, each.height));
    const Pixels thumbnail = readPixels(form->Image1Picture(0));
    const Pixels full = printClient(::GetWindow(previews[0], GW_CHILD));
    ::DestroyWindow(previews[0]);
    EXPECT_EQ(std::pair(thumbnail.width, thumbnail.height), std::pair(static_cast<int>(slot.right),
                                                                      static_cast<int>(slot.bottom)));
    ASSERT_EQ(full.width, each.width);
    for (const Pixels* pixels : {&thumbnail, &full}) {
      const GridDifference difference = compareWithReference(*pixels, each);
      EXPECT_LE(difference.largest, 12) << describe(difference);
      EXPECT_LE(difference.mean, 4) << describe(difference);
    }
  }
  EXPECT_TRUE(game.log.messages.empty());
}

// Ends a message loop that would otherwise wait for a window that never closes.
void CALLBACK endLoopAfterTimeout(HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(99); }

// Every click opens another preview; closing the main window leaves them open, and the
// program ends with the last of them.
TEST_F(PackLibraryTest, TheProgramEndsWithItsLastWindowNotWithTheMainWindow) {
  open({{L"a.jpg", picture(L"baseline.jpg")}});
  ASSERT_EQ(tarnwick::openTopLevelWindows(), 1) << "another test left a window open";
  click(*form, 0);
  click(*form, 0);
  const auto previews = previewWindows();
  ASSERT_EQ(previews.size(), 2u);
  HWND mainWindow = form->hwnd();
  ::SendMessageW(mainWindow, WM_CLOSE, 0, 0);
  EXPECT_FALSE(::IsWindow(mainWindow));
  ::SendMessageW(previews[0], WM_CLOSE, 0, 0);
  EXPECT_TRUE(::IsWindowVisible(previews[1]));
  MSG message{};
  EXPECT_FALSE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) << "it would end already";
  // The program's own message loop runs until the last preview is closed, and no longer.
  ::PostMessageW(previews[1], WM_CLOSE, 0, 0);
  const UINT_PTR guard = ::SetTimer(nullptr, 0, 10000, endLoopAfterTimeout);
  EXPECT_EQ(tarnwick::runMessageLoop(mainWindow), 0) << "the loop only ended when the safety timer fired";
  ::KillTimer(nullptr, guard);
  EXPECT_EQ(tarnwick::openTopLevelWindows(), 0);
}

// A picture gone since the pack was chosen opens nothing and says which and why; a
// hidden slot (a picture that doesn't decode) opens nothing.
TEST_F(PackLibraryTest, APictureThatCannotBeOpenedOpensNoWindow) {
  open({{L"a.jpg", picture(L"baseline.jpg")}, {L"b.jpg", picture(L"corrupt.jpg")}});
  click(*form, 1);
  form->Image1_Click(5);
  EXPECT_TRUE(game.log.messages.empty());
  ASSERT_TRUE(::DeleteFileW((pack + L"\\a.jpg").c_str()));
  click(*form, 0);
  EXPECT_TRUE(previewWindows().empty());
  ASSERT_EQ(game.log.messages.size(), 1u);
  const std::wstring& message = game.log.messages.front();
  EXPECT_EQ(message.rfind(L"无法打开图片：" + pack + L"\\a.jpg", 0), 0u) << testing::PrintToString(message);
  EXPECT_NE(message.find(tarnwick::systemErrorText(ERROR_FILE_NOT_FOUND)), std::wstring::npos);
}

// A 24-bit BMP whose header claims the size, followed by `dataBytes` of pixel data.
std::string bmpClaiming(std::int32_t width, std::int32_t height, std::uint32_t compression, size_t dataBytes) {
  std::string bytes = "BM" + std::string(52, '\0');
  const std::pair<size_t, std::uint32_t> fields[] = {
      {2, static_cast<std::uint32_t>(54 + dataBytes)}, {10, 54}, {14, 40}, {18, static_cast<std::uint32_t>(width)},
      {22, static_cast<std::uint32_t>(height)}, {26, 1 | 24u << 16}, {30, compression}};
  for (const auto& [at, value] : fields) std::memcpy(&bytes[at], &value, 4);
  return bytes + std::string(dataBytes, '\x55');
}

// Pictures built to break a decoder (the header checks have their own test of every
// kind) are never decoded: each leaves its slot hidden and has no full size. A picture
// larger than the screen is no such thing: its window still takes its size.
TEST_F(PackLibraryTest, HostilePicturesAreNeverDecodedAndALargeOneOpensAtItsSize) {
  open({{L"a.jpg", picture(L"baseline.jpg")}});
  const std::string progressive = picture(L"progressive.jpg");
  const std::string jpegHeader("\xFF\xD8\xFF\xC0\x00\x0B\x08\xFF\xFF\xFF\xFF\x01\x01\x11\x00", 15);  // 65535 square
  const std::pair<const wchar_t*, std::string> hostile[] = {
      {L"0 2147483647 wide.bmp", bmpClaiming(INT32_MAX, 1, 0, 64)},
      {L"0 65535 square.bmp", bmpClaiming(65535, 65535, 0, 4096)},
      {L"0 run-length huge.bmp", bmpClaiming(30000, 30000, 1, 4096)},
      {L"0 header cut.bmp", bmpClaiming(10, 10, 0, 0).substr(0, 30)},
      {L"0 65535 square.jpg", jpegHeader + std::string(4096, '\x80')},
      {L"0 truncated.jpg", progressive.substr(0, progressive.size() * 2 / 3)},
      {L"0 gif.jpg", "GIF89a\x10\x00\x10\x00"},
      {L"0 empty.bmp", ""},
  };
  for (const auto& [name, bytes] : hostile) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
    writeBytes(pack + L"\\" + name, bytes);
    form->Combo1_Click();
    EXPECT_FALSE(shown(form->Image1(0)));
    EXPECT_TRUE(shown(form->Image1(1))) << "a.jpg still shows";
    EXPECT_FALSE(tarnwick::loadPictureFullSize(pack + L"\\" + name));
    ASSERT_TRUE(::DeleteFileW((pack + L"\\" + name).c_str()));
  }
  const int width = ::GetSystemMetrics(SM_CXVIRTUALSCREEN) + 300;
  const int height = ::GetSystemMetrics(SM_CYVIRTUALSCREEN) + 200;
  writeBytes(pack + L"\\0 large.bmp", bmpClaiming(width, height, 0, ((width * 3 + 3) & ~3) * size_t(height)));
  form->Combo1_Click();
  click(*form, 0);
  const auto previews = previewWindows();
  ASSERT_EQ(previews.size(), 1u);
  EXPECT_EQ(outerSize(previews[0]), std::pair(width, height));
}

// A map for `players`, with a preview when it has a size: four solid quarters, red,
// green, blue, white (0x00RRGGBB), packed as the game reads it, one LZO1X block of
// literals (at most 238 bytes of them).
const uint32_t kQuarters[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
std::string map(const std::string& name, const std::string& players, int width = 0, int height = 0) {
  std::string text = "[Basic]\r\nName=" + name + "\r\n[Header]\r\nNumberStartingPoints=" + players + "\r\n";
  if (width == 0) return text;
  std::string rgb;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t colour = kQuarters[(y * 2 / height) * 2 + x * 2 / width];
      rgb += {char(colour >> 16), char(colour >> 8), char(colour)};
    }
  }
  const std::string block = char(17 + rgb.size()) + rgb + std::string("\x11\0\0", 3);
  const std::string sizes = {char(block.size()), char(block.size() >> 8), char(rgb.size()), char(rgb.size() >> 8)};
  return text + "[Preview]\r\nSize=0,0," + std::to_string(width) + "," + std::to_string(height) +
         "\r\n[PreviewPack]\r\n" + tarnwick::numberedLines(tarnwick::base64Text(sizes + block));
}

// The chosen pack's maps, one row each (name, players, file); Enter on a row opens the
// map's preview at its own size, or says the map has none.
TEST_F(PackLibraryTest, TheMapListShowsThePacksMapsAndOpensTheirPreviews) {
  open({{L"b.map", map("\xE5\x86\xB0\xE5\xB7\x9D", "4", 10, 6)},  // UTF-8
        {L"A.yrm", map("906d,9047,6230,6a21,5f0f,", "9", 2, 4)},
        {L"c.mpr", "[Header]\r\nNumberStartingPoints=8\r\n"},
        {L"d.MAP", map("\xB1\xF9\xB4\xA8", " 2 ")},  // code page 936
        {L"e.map", map("Hidden", "2")},
        {L"notes.txt", map("Notes", "2")}});
  addAttributes(pack + L"\\e.map", FILE_ATTRIBUTE_HIDDEN);
  form->Combo1_Click();
  HWND list = form->ListView1();
  const std::vector<Names> rows = {
      {L"遭遇戰模式", L"", L"A.yrm"}, {L"冰川", L"4", L"b.map"}, {L"c", L"8", L"c.mpr"}, {L"冰川", L"2", L"d.MAP"}};
  ASSERT_EQ(ListView_GetItemCount(list), static_cast<int>(rows.size()));
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 3; ++column) {
      wchar_t text[128]{};
      ListView_GetItemText(list, row, column, text, 128);
      EXPECT_EQ(text, rows[static_cast<size_t>(row)][static_cast<size_t>(column)]) << row;
    }
  }
  for (const int row : {1, 2}) {  // Enter on the row, through the program's message loop
    ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ::SetFocus(list);
    ::PostMessageW(list, WM_KEYDOWN, VK_RETURN, 0);
    ::PostQuitMessage(0);
    tarnwick::runMessageLoop(form->hwnd());
  }
  const auto previews = previewWindows();
  ASSERT_EQ(previews.size(), 1u);
  EXPECT_EQ(outerSize(previews[0]), std::pair(10, 6));
  const Pixels full = printClient(::GetWindow(previews[0], GW_CHILD));
  ASSERT_EQ(full.width, 10);
  for (int quarter = 0; quarter < 4; ++quarter) {
    EXPECT_EQ(full.at(quarter % 2 * 5 + 2, quarter / 2 * 3 + 1), kQuarters[quarter]) << quarter;
  }
  EXPECT_EQ(game.log.messages, Names{std::wstring(tarnwick::texts::kMapHasNoPreview) + L"c.mpr"});
}

}  // namespace
