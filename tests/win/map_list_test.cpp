// The map list: a pack's map files read into rows, and a row's preview opened.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "app/message_loop.h"
#include "app/texts.h"
#include "support/bitmap_pixels.h"
#include "support/files.h"
#include "support/test_game.h"
#include "tests/native/map_text.h"

namespace {

using namespace tarnwick::test;

// A map's [PreviewPack] as the game reads it, each 8192-byte chunk an LZO1X block of
// literals only (valid, if uncompressed).
std::string previewPack(const std::string& rgb) {
  std::string packed;
  for (size_t at = 0; at < rgb.size(); at += 8192) {
    const std::string chunk = rgb.substr(at, 8192);
    std::string block(1, '\0');
    for (size_t rest = chunk.size() - 18; rest > 0; rest -= std::min<size_t>(rest, 255)) {
      block += rest > 255 ? '\0' : static_cast<char>(rest);
    }
    block += chunk + std::string("\x11\0\0", 3);
    for (const size_t size : {block.size(), chunk.size()}) packed += {char(size & 0xFF), char(size >> 8)};
    packed += block;
  }
  return tarnwick::numberedLines(tarnwick::base64Text(packed));
}

// A picture of four solid quarters: red, green, blue, white (0x00RRGGBB).
const uint32_t kQuarters[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
std::string quarters(int width, int height) {
  std::string rgb;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t colour = kQuarters[(y * 2 / height) * 2 + x * 2 / width];
      rgb += {char(colour >> 16), char(colour >> 8), char(colour)};
    }
  }
  return rgb;
}

std::string map(const std::string& name, const std::string& players, int width, int height) {
  std::string text = "[Basic]\r\nName=" + name + "\r\n[Header]\r\nNumberStartingPoints=" + players + "\r\n";
  if (width == 0) return text;
  return text + "[Preview]\r\nSize=0,0," + std::to_string(width) + "," + std::to_string(height) +
         "\r\n[PreviewPack]\r\n" + previewPack(quarters(width, height));
}

std::wstring cell(HWND list, int row, int column) {
  wchar_t text[128]{};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = 128;
  ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return text;
}

// A row's picture in the list's small-image list.
Pixels rowPicture(HWND list, int row) {
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  ::SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(list, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
  IMAGEINFO info{};
  if (!::ImageList_GetImageInfo(images, item.iImage, &info)) return {};
  Pixels all = readPixels(info.hbmImage), one;
  one.width = info.rcImage.right - info.rcImage.left;
  one.height = info.rcImage.bottom - info.rcImage.top;
  for (int y = 0; y < one.height; ++y) {
    for (int x = 0; x < one.width; ++x) one.bgra.push_back(all.at(info.rcImage.left + x, info.rcImage.top + y));
  }
  return one;
}

uint32_t windowColour() {
  const COLORREF colour = ::GetSysColor(COLOR_WINDOW);
  return GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
}

// Enter on a row, through the program's message loop.
void pressEnterOn(HWND list, int row) {
  LVITEMW state{};
  state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
  ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
  ::SetFocus(list);
  ::PostMessageW(list, WM_KEYDOWN, VK_RETURN, 0);
  ::PostQuitMessage(0);
  tarnwick::runMessageLoop(::GetParent(list));
}

BOOL CALLBACK findPreview(HWND window, LPARAM found) {
  if (windowText(window) == L"图像预览") *reinterpret_cast<HWND*>(found) = window;
  return TRUE;
}

TEST(MapList, ShowsThePacksMapsAndOpensTheirPreviews) {
  TestGame game;
  game.addPack(L"Maps", {{L"b.map", map("\xE5\x86\xB0\xE5\xB7\x9D", "4", 240, 120)},  // UTF-8
                         {L"A.yrm", map("906d,9047,6230,6a21,5f0f,", "9", 2, 4)},
                         {L"c.mpr", "[Header]\r\nNumberStartingPoints=8\r\n"},
                         {L"d.MAP", map("\xB1\xF9\xB4\xA8", " 2 ", 0, 0)},  // code page 936
                         {L"e.map", "[Basic]\nName=Hidden\n"},
                         {L"notes.txt", map("Notes", "2", 0, 0)}});
  addAttributes(game.packs() + L"\\Maps\\e.map", FILE_ATTRIBUTE_HIDDEN);
  auto form = game.open();
  HWND list = form->ListView1();
  EXPECT_EQ(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0) << "empty before a pack is chosen";
  choosePack(*form, L"Maps");

  const std::vector<std::vector<std::wstring>> rows = {
      {L"遭遇戰模式", L"", L"A.yrm"}, {L"冰川", L"4", L"b.map"}, {L"c", L"8", L"c.mpr"}, {L"冰川", L"2", L"d.MAP"}};
  ASSERT_EQ(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), static_cast<LRESULT>(rows.size()));
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 3; ++column) EXPECT_EQ(cell(list, row, column), rows[row][column]) << row;
  }
  // Pictures keep the preview's shape within the row's picture, blank where there is none.
  const Pixels tall = rowPicture(list, 0), wide = rowPicture(list, 1), none = rowPicture(list, 2);
  ASSERT_GT(tall.width, 8);
  EXPECT_EQ(tall.at(0, tall.height / 2), windowColour());
  EXPECT_EQ(tall.at(tall.width / 2 - 1, tall.height / 4), kQuarters[0]);
  EXPECT_EQ(tall.at(tall.width / 2, tall.height * 3 / 4), kQuarters[3]);
  EXPECT_EQ(wide.at(wide.width * 3 / 4, wide.height / 4), kQuarters[1]);
  EXPECT_EQ(wide.at(wide.width / 4, wide.height * 3 / 4), kQuarters[2]);
  EXPECT_EQ(none.at(none.width / 2, none.height / 2), windowColour());

  pressEnterOn(list, 1);
  HWND preview = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), findPreview, reinterpret_cast<LPARAM>(&preview));
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(::GetWindow(preview, GW_OWNER), nullptr);
  RECT outer{};
  ::GetWindowRect(preview, &outer);
  EXPECT_EQ(std::pair(outer.right - outer.left, outer.bottom - outer.top), std::pair(240L, 120L));
  const Pixels shown = printClient(::GetWindow(preview, GW_CHILD));
  ASSERT_EQ(shown.width, 240);
  for (int quarter = 0; quarter < 4; ++quarter) {
    EXPECT_EQ(shown.at(quarter % 2 * 120 + 60, quarter / 2 * 60 + 30), kQuarters[quarter]) << quarter;
  }
  ::DestroyWindow(preview);
  EXPECT_TRUE(game.log.messages.empty());

  pressEnterOn(list, 2);
  ASSERT_EQ(game.log.messages, std::vector<std::wstring>{std::wstring(tarnwick::texts::kMapHasNoPreview) + L"c.mpr"});
  preview = nullptr;
  ::EnumThreadWindows(::GetCurrentThreadId(), findPreview, reinterpret_cast<LPARAM>(&preview));
  EXPECT_EQ(preview, nullptr);
}

}  // namespace
