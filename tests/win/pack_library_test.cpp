// The pack library as the user sees it, driven through the real main window: the scan
// into the combo, a pack's file listings, its pictures in the thumbnail slots and in the
// preview windows a click opens, hostile picture files, and the map list.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/message_loop.h"
#include "app/messages.h"
#include "platform/pictures.h"
#include "platform/window_lifetime.h"
#include "support/bitmap_pixels.h"
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
    bool folder;  // else a file of that name, or nothing
    bool file;
    const std::wstring& status;
    Names packs;
  } cases[] = {
      {"missing", false, false, kNoFolder, {}},
      {"a file", false, true, kNoFolder, {}},
      {"no packs", true, false, kNoPacks, {}},
      {"packs", true, false, kChoose, {L"alpha", L"Beta", L"charlie", L"Delta", L"Tom & Jerry", L"红色警戒 地图"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TestGame game;
    writeBytes(game.packs() + L"\\beside.txt", "a file beside the packs");
    for (const auto& [name, attribute] :
         {std::pair(L"\\hidden", FILE_ATTRIBUTE_HIDDEN), std::pair(L"\\system", FILE_ATTRIBUTE_SYSTEM)}) {
      makeFolder(game.packs() + name);
      addAttributes(game.packs() + name, attribute);
    }
    if (!c.folder) removeTree(game.packs());
    if (c.file) writeBytes(game.packs(), "a file, not a folder");
    for (const auto& name : c.packs) makeFolder(game.packs() + L"\\" + name);
    auto form = game.open();
    EXPECT_EQ(comboItems(form->Combo1()), c.packs);
    EXPECT_EQ(windowText(form->Combo1()), c.status);
    EXPECT_EQ(::IsWindowEnabled(form->Combo1()) != FALSE, !c.packs.empty());
    EXPECT_TRUE(game.log.messages.empty());
  }
}

// A chosen pack lists its files that are neither hidden nor system, in name order
// ignoring case: its pictures, its maps and all of them, as they were when it was
// chosen. Gone since the scan, it lists nothing (so it can't be installed) and the packs
// are listed again without it; once every pack is gone the status says so.
TEST_F(PackLibraryTest, TheListingsHoldThePacksFilesAsTheyWereWhenChosen) {
  game.addPack(L"other", {});
  Files files;
  for (const wchar_t* name : {L"b.map", L"A.MAP", L"notes.txt", L"e.Jpg", L"D.bmp", L"c.JPG", L"pic.jpeg", L"x.bmp.txt",
                              L"hidden.jpg", L"system.map"}) {
    files.emplace_back(name, "bytes");
  }
  open(files);
  addAttributes(pack + L"\\hidden.jpg", FILE_ATTRIBUTE_HIDDEN);
  addAttributes(pack + L"\\system.map", FILE_ATTRIBUTE_SYSTEM);
  makeFolder(pack + L"\\sub.map");
  choosePack(*form, L"p");
  EXPECT_EQ(form->File1().names(), (Names{L"c.JPG", L"D.bmp", L"e.Jpg"}));
  EXPECT_EQ(form->File2().names(), (Names{L"A.MAP", L"b.map"}));
  EXPECT_EQ(form->File3().names(),
            (Names{L"A.MAP", L"b.map", L"c.JPG", L"D.bmp", L"e.Jpg", L"notes.txt", L"pic.jpeg", L"x.bmp.txt"}));
  writeBytes(pack + L"\\z.map", "added later");
  EXPECT_EQ(form->File2().names(), (Names{L"A.MAP", L"b.map"})) << "read when chosen, not again";

  removeTree(pack);
  choosePack(*form, L"p");
  pumpMessages();
  EXPECT_EQ(form->File3().count(), 0);
  EXPECT_EQ(comboItems(form->Combo1()), Names{L"other"});
  EXPECT_EQ(windowText(form->Combo1()), kChoose);
  removeTree(game.packs() + L"\\other");
  choosePack(*form, L"other");
  pumpMessages();
  EXPECT_EQ(windowText(form->Combo1()), kNoPacks);
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
  game.addPack(L"damaged", {{L"a.jpg", jpeg}, {L"b.jpg", picture(L"corrupt.jpg")}, {L"c.jpg", jpeg}});
  form = game.open();
  const std::pair<const wchar_t*, std::vector<int>> choices[] = {
      {L"14 pictures", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}}, {L"3 pictures", {0, 1, 2}}, {L"damaged", {0, 2}}};
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
    click(*form, 0);
    const auto previews = previewWindows();
    ASSERT_EQ(previews.size(), ++opened);
    EXPECT_EQ(outerSize(previews[0]), std::pair(each.width, each.height));
    const Pixels thumbnail = readPixels(form->Image1Picture(0));
    const Pixels full = printClient(::GetWindow(previews[0], GW_CHILD));
    EXPECT_EQ(std::pair(thumbnail.width, thumbnail.height),
              std::pair(static_cast<int>(slot.right), static_cast<int>(slot.bottom)));
    ASSERT_EQ(full.width, each.width);
    for (const Pixels* pixels : {&thumbnail, &full}) {
      const GridDifference difference = compareWithReference(*pixels, each);
      EXPECT_LE(difference.largest, 12) << describe(difference);
      EXPECT_LE(difference.mean, 4) << describe(difference);
    }
  }
  EXPECT_TRUE(game.log.messages.empty());

  HWND mainWindow = form->hwnd();
  ::SendMessageW(mainWindow, WM_CLOSE, 0, 0);
  EXPECT_FALSE(::IsWindow(mainWindow));
  MSG message{};
  EXPECT_FALSE(::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) << "it would end already";
  // The program's own message loop runs until the last preview is closed, and no longer.
  for (HWND preview : previewWindows()) ::PostMessageW(preview, WM_CLOSE, 0, 0);
  const UINT_PTR guard = ::SetTimer(nullptr, 0, 10000, endLoopAfterTimeout);
  EXPECT_EQ(tarnwick::runMessageLoop(mainWindow), 0) << "the loop only ended when the safety timer fired";
  ::KillTimer(nullptr, guard);
  EXPECT_EQ(tarnwick::openTopLevelWindows(), 0);
}

// A 24-bit BMP whose header claims the size, followed by 4 kB of pixel data.
std::string bmpClaiming(std::uint32_t width, std::uint32_t height, std::uint32_t compression) {
  std::string bytes = "BM" + std::string(52, '\0') + std::string(4096, '\x55');
  const std::pair<size_t, std::uint32_t> fields[] = {
      {2, 4150}, {10, 54}, {14, 40}, {18, width}, {22, height}, {26, 1 | 24u << 16}, {30, compression}};
  for (const auto& [at, value] : fields) std::memcpy(&bytes[at], &value, 4);
  return bytes;
}

// Pictures built to break a decoder (the header checks have their own test of every
// kind) are never decoded: each leaves its slot hidden, which opens nothing, and has no
// full size. A picture gone since the pack was chosen opens nothing and says which and why.
TEST_F(PackLibraryTest, OnlyPicturesThatCanBeDecodedOpen) {
  open({{L"a.jpg", picture(L"baseline.jpg")}});
  const std::string jpegHeader("\xFF\xD8\xFF\xC0\x00\x0B\x08\xFF\xFF\xFF\xFF\x01\x01\x11\x00", 15);  // 65535 square
  const std::pair<const wchar_t*, std::string> hostile[] = {
      {L"0 2147483647 wide.bmp", bmpClaiming(INT32_MAX, 1, 0)},
      {L"0 run-length huge.bmp", bmpClaiming(30000, 30000, 1)},
      {L"0 65535 square.jpg", jpegHeader + std::string(4096, '\x80')},
      {L"0 truncated.jpg", picture(L"progressive.jpg").substr(0, 60000)},
      {L"0 not a bitmap.bmp", "not a bitmap"},
      {L"0 empty.jpg", ""},
  };
  for (const auto& [name, bytes] : hostile) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
    writeBytes(pack + L"\\" + name, bytes);
    form->Combo1_Click();
    EXPECT_FALSE(shown(form->Image1(0)));
    click(*form, 0);
    EXPECT_FALSE(tarnwick::loadPictureFullSize(pack + L"\\" + name));
    ASSERT_TRUE(::DeleteFileW((pack + L"\\" + name).c_str()));
  }
  form->Combo1_Click();
  ASSERT_TRUE(::DeleteFileW((pack + L"\\a.jpg").c_str()));
  click(*form, 0);
  EXPECT_TRUE(previewWindows().empty());
  ASSERT_EQ(game.log.messages.size(), 1u);
  const std::wstring& message = game.log.messages.front();
  EXPECT_EQ(message.rfind(L"无法打开图片：" + pack + L"\\a.jpg", 0), 0u) << testing::PrintToString(message);
  EXPECT_NE(message.find(tarnwick::systemErrorText(ERROR_FILE_NOT_FOUND)), std::wstring::npos);
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
        {L"notes.txt", map("Notes", "2")}});
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
  // Enter on a row, through the program's message loop.
  ListView_SetItemState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ::SetFocus(list);
  ::PostMessageW(list, WM_KEYDOWN, VK_RETURN, 0);
  ::PostQuitMessage(0);
  tarnwick::runMessageLoop(form->hwnd());
  form->ListView1_ItemActivate(2);
  const auto previews = previewWindows();
  ASSERT_EQ(previews.size(), 1u);
  EXPECT_EQ(outerSize(previews[0]), std::pair(10, 6));
  const Pixels full = printClient(::GetWindow(previews[0], GW_CHILD));
  ASSERT_EQ(full.width, 10);
  for (int q = 0; q < 4; ++q) EXPECT_EQ(full.at(q % 2 * 5 + 2, q / 2 * 3 + 1), kQuarters[q]) << "quarter " << q;
  EXPECT_EQ(game.log.messages, Names{L"这张地图没有预览图：c.mpr"});
}

}  // namespace
