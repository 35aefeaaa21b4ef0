// The preview windows a click on a thumbnail opens: their size and place, how many
// there may be, and how they outlive the main window.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "app/form1.h"
#include "app/message_loop.h"
#include "app/messages.h"
#include "platform/error_text.h"
#include "platform/pictures.h"
#include "platform/window_lifetime.h"
#include "support/bitmap_pixels.h"
#include "support/files.h"
#include "support/messages.h"
#include "support/test_game.h"
#include "support/test_pictures.h"

namespace {

using tarnwick::Form1;
using tarnwick::openTopLevelWindows;
using namespace tarnwick::test;

const std::wstring kPreviewTitle = L"图像预览";

BOOL CALLBACK collectPreview(HWND window, LPARAM found) {
  if (windowText(window) == kPreviewTitle) reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  return TRUE;
}

// This thread's preview windows, in no particular order.
std::vector<HWND> previewWindows() {
  std::vector<HWND> found;
  ::EnumThreadWindows(::GetCurrentThreadId(), collectPreview, reinterpret_cast<LPARAM>(&found));
  return found;
}

// A click on a thumbnail, as the slot reports it to the main window.
void click(Form1& form, int slot) {
  HWND image = form.Image1(slot);
  ::SendMessageW(form.hwnd(), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(image), STN_CLICKED),
                 reinterpret_cast<LPARAM>(image));
}

SIZE outerSize(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

// Ends a message loop that would otherwise wait for a window that never closes.
void CALLBACK endLoopAfterTimeout(HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(99); }

bool quitPosted() {
  MSG message{};
  return ::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
}

void forgetQuit() {
  MSG message{};
  while (::PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
}

// A 24-bit BMP whose header claims the size, followed by `dataBytes` of pixel data (a
// whole picture when they are its rows).
std::string bmpClaiming(std::int32_t width, std::int32_t height, std::uint32_t compression, size_t dataBytes) {
  std::string bytes = "BM" + std::string(52, '\0');
  const std::pair<size_t, std::uint32_t> fields[] = {
      {2, static_cast<std::uint32_t>(54 + dataBytes)}, {10, 54}, {14, 40}, {18, static_cast<std::uint32_t>(width)},
      {22, static_cast<std::uint32_t>(height)}, {26, 1 | 24u << 16}, {30, compression}};
  for (const auto& [at, value] : fields) std::memcpy(&bytes[at], &value, 4);
  return bytes + std::string(dataBytes, '\x55');
}

// The start of a JPEG whose frame header claims the size, then `dataBytes` of data.
std::string jpegClaiming(std::uint16_t width, std::uint16_t height, size_t dataBytes) {
  const char frame[] = {'\xFF', '\xD8', '\xFF', '\xC0', 0, 11, 8, static_cast<char>(height >> 8),
                        static_cast<char>(height), static_cast<char>(width >> 8), static_cast<char>(width), 1, 1,
                        0x11, 0};
  return std::string(frame, sizeof frame) + std::string(dataBytes, '\x80');
}

class PreviewTest : public testing::Test {
 protected:
  void SetUp() override {
    pack = game.addPack(L"maps", {{L"pack.map", "map"}});
    ASSERT_TRUE(::CopyFileW(testPicturePath(L"baseline.jpg").c_str(), (pack + L"\\a.jpg").c_str(), FALSE));
    ASSERT_TRUE(::CopyFileW(testPicturePath(L"bmp24.bmp").c_str(), (pack + L"\\b.bmp").c_str(), FALSE));
    ASSERT_TRUE(::CopyFileW(testPicturePath(L"corrupt.jpg").c_str(), (pack + L"\\c.jpg").c_str(), FALSE));
    form = game.open();
    ::SendMessageW(form->Combo1(), CB_SETCURSEL, 0, 0);
    form->Combo1_Click();
  }
  void TearDown() override {
    for (HWND preview : previewWindows()) ::DestroyWindow(preview);
    form.reset();
    pumpMessages();
  }

  TestGame game;
  std::wstring pack;
  std::unique_ptr<Form1> form;
};

// Every click opens another ownerless window the size of its picture, showing the
// picture itself; each closes on its own.
TEST_F(PreviewTest, EveryClickOpensAWindowTheSizeOfItsPicture) {
  ASSERT_EQ(openTopLevelWindows(), 1);
  int open = 1;
  for (int slot : {0, 1, 0}) {
    const TestPicture& picture = testPicture(slot == 0 ? L"baseline.jpg" : L"bmp24.bmp");
    SCOPED_TRACE(testing::Message() << "slot " << slot);
    const auto before = previewWindows();
    click(*form, slot);
    const auto previews = previewWindows();
    ASSERT_EQ(previews.size(), before.size() + 1);
    HWND preview = previews.front();
    for (HWND p : previews) {
      if (std::find(before.begin(), before.end(), p) == before.end()) preview = p;
    }
    EXPECT_EQ(openTopLevelWindows(), ++open);
    EXPECT_EQ(::GetWindow(preview, GW_OWNER), nullptr);
    EXPECT_TRUE(::IsWindowVisible(preview));
    EXPECT_TRUE(::IsWindowEnabled(form->hwnd())) << "the main window stays usable";
    const SIZE outer = outerSize(preview);
    EXPECT_EQ(outer.cx, picture.width);
    EXPECT_EQ(outer.cy, picture.height);
    const Pixels shown = printClient(::GetWindow(preview, GW_CHILD));
    ASSERT_EQ(shown.width, picture.width);
    const GridDifference difference = compareWithReference(shown, picture);
    EXPECT_LE(difference.largest, 4) << describe(difference);
  }
  const auto previews = previewWindows();
  ::SendMessageW(previews[1], WM_CLOSE, 0, 0);
  EXPECT_FALSE(::IsWindow(previews[1]));
  EXPECT_TRUE(::IsWindow(previews[0]));
  EXPECT_TRUE(::IsWindow(previews[2]));
  EXPECT_EQ(openTopLevelWindows(), 3);
  EXPECT_TRUE(game.log.messages.empty());
}

TEST_F(PreviewTest, APictureLargerThanTheScreenStillGivesTheWindowItsSize) {
  const int width = ::GetSystemMetrics(SM_CXVIRTUALSCREEN) + 300;
  const int height = ::GetSystemMetrics(SM_CYVIRTUALSCREEN) + 200;
  const size_t rows = static_cast<size_t>((width * 3 + 3) & ~3) * static_cast<size_t>(height);
  writeBytes(pack + L"\\0 large.bmp", bmpClaiming(width, height, 0, rows));
  form->Combo1_Click();
  click(*form, 0);
  const auto previews = previewWindows();
  ASSERT_EQ(previews.size(), 1u);
  const SIZE outer = outerSize(previews.front());
  EXPECT_EQ(outer.cx, width);
  EXPECT_EQ(outer.cy, height);
}

// Closing the main window leaves the previews open, and the program ends only when
// the last of them closes.
TEST_F(PreviewTest, TheProgramEndsWithItsLastWindowNotWithTheMainWindow) {
  ASSERT_EQ(openTopLevelWindows(), 1) << "another test left a window open";
  click(*form, 0);
  const auto previews = previewWindows();
  ASSERT_EQ(previews.size(), 1u);
  HWND preview = previews.front();
  HWND mainWindow = form->hwnd();
  forgetQuit();

  ::SendMessageW(mainWindow, WM_CLOSE, 0, 0);
  EXPECT_FALSE(::IsWindow(mainWindow));
  EXPECT_TRUE(::IsWindowVisible(preview));
  EXPECT_EQ(openTopLevelWindows(), 1);
  EXPECT_FALSE(quitPosted()) << "the program would end with a preview still open";

  // The program's own message loop runs until the preview is closed, and no longer.
  ::PostMessageW(preview, WM_CLOSE, 0, 0);
  const UINT_PTR guard = ::SetTimer(nullptr, 0, 10000, endLoopAfterTimeout);
  EXPECT_EQ(tarnwick::runMessageLoop(mainWindow), 0) << "the loop only ended when the safety timer fired";
  ::KillTimer(nullptr, guard);
  EXPECT_FALSE(::IsWindow(preview));
  EXPECT_EQ(openTopLevelWindows(), 0);
}

TEST_F(PreviewTest, APictureGoneSinceThePackWasChosenOpensNoWindowAndSaysSo) {
  ASSERT_TRUE(::DeleteFileW((pack + L"\\a.jpg").c_str()));
  click(*form, 0);
  EXPECT_TRUE(previewWindows().empty());
  EXPECT_EQ(openTopLevelWindows(), 1);
  ASSERT_EQ(game.log.messages.size(), 1u);
  const std::wstring& message = game.log.messages.front();
  EXPECT_EQ(message.rfind(L"无法打开图片：" + pack + L"\\a.jpg", 0), 0u) << testing::PrintToString(message);
  EXPECT_NE(message.find(tarnwick::systemErrorText(ERROR_FILE_NOT_FOUND)), std::wstring::npos)
      << "the system's own reason is given";
}

TEST_F(PreviewTest, OnlyShownThumbnailsOpenPreviews) {
  ASSERT_FALSE(::GetWindowLongPtrW(form->Image1(2), GWL_STYLE) & WS_VISIBLE) << "c.jpg doesn't decode";
  click(*form, 2);
  form->Image1_Click(2);
  form->Image1_Click(5);
  EXPECT_TRUE(previewWindows().empty());
  EXPECT_TRUE(game.log.messages.empty());
}

// Pictures built to break a decoder (the header checks' own test has every kind):
// none ends the program; each leaves its slot hidden,
// and its preview says it can't be opened.
TEST_F(PreviewTest, HostilePicturesAreNeverDecoded) {
  const struct {
    const wchar_t* name;
    std::string bytes;
  } hostile[] = {
      {L"0 2147483647 wide.bmp", bmpClaiming(INT32_MAX, 1, 0, 64)},
      {L"0 65535 square.bmp", bmpClaiming(65535, 65535, 0, 4096)},
      {L"0 run-length huge.bmp", bmpClaiming(30000, 30000, 1, 4096)},
      {L"0 header cut.bmp", bmpClaiming(10, 10, 0, 0).substr(0, 30)},
      {L"0 65535 square.jpg", jpegClaiming(65535, 65535, 4096)},
      {L"0 no data.jpg", jpegClaiming(640, 480, 0)},
      {L"0 gif.jpg", "GIF89a\x10\x00\x10\x00"},
      {L"0 empty.bmp", ""},
  };
  const SIZE slot{64, 48};
  for (const auto& picture : hostile) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(picture.name)));
    const std::wstring path = pack + L"\\" + picture.name;
    writeBytes(path, picture.bytes);
    form->Combo1_Click();
    EXPECT_FALSE(::GetWindowLongPtrW(form->Image1(0), GWL_STYLE) & WS_VISIBLE);
    EXPECT_TRUE(::GetWindowLongPtrW(form->Image1(1), GWL_STYLE) & WS_VISIBLE) << "a.jpg still shows";
    EXPECT_FALSE(tarnwick::loadPictureScaled(path, slot));
    EXPECT_FALSE(tarnwick::loadPictureFullSize(path));
    ASSERT_TRUE(::DeleteFileW(path.c_str()));
  }
  EXPECT_TRUE(previewWindows().empty());
}

}  // namespace
