#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>

#include "app/busy_window.h"
#include "app/form1.h"
#include "app/form1_layout.h"
#include "app/message_loop.h"
#include "support/game_registry.h"
#include "support/messages.h"

namespace {

using tarnwick::Form1;
using tarnwick::test::GameRegistry;
using tarnwick::test::MessageLog;
using tarnwick::test::pumpMessages;
using tarnwick::test::windowText;
namespace layout = tarnwick::layout;

// Position of a control within its parent's client area.
RECT placement(HWND control) {
  RECT rect{};
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// Width of the label's text on one line, in the label's own font.
int textWidth(HWND label) {
  HDC dc = ::GetDC(label);
  HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0)));
  const std::wstring text = windowText(label);
  SIZE extent{};
  ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  ::SelectObject(dc, old);
  ::ReleaseDC(label, dc);
  return extent.cx;
}

class MainWindowTest : public testing::Test {
 protected:
  std::unique_ptr<Form1> open() {
    auto form = Form1::create(::GetModuleHandleW(nullptr), log.informer());
    pumpMessages();
    return form;
  }
  GameRegistry registry;
  MessageLog log;
};

// Every control of the layout table at its place in twips, at 96 dots per inch and
// again after a move to a monitor of twice the density. Labels that don't wrap are
// as wide as their text; the combo's height is its drop-down list's.
TEST_F(MainWindowTest, EveryControlTakesItsDesignedPlaceAtEachDpi) {
  registry.installGame(L"C:\\Westwood\\RA2\\Ra2.exe",
                       L"C:\\A very long folder name that will not fit on one line\\Westwood\\RA2\\gamemd.exe");
  auto form = open();
  ASSERT_TRUE(form);
  struct Placed {
    HWND control;
    layout::TwipsRect rect;
    bool sized;
  };
  std::vector<Placed> controls = {{form->Command(1), layout::kCommand1.rect, true},
                                  {form->Command(2), layout::kCommand2.rect, true},
                                  {form->Command(3), layout::kCommand3.rect, true},
                                  {form->Command(4), layout::kCommand4.rect, true},
                                  {form->Combo1(), layout::kCombo1, false},
                                  {form->List1(), layout::kList1, true},
                                  {form->ListView1(), layout::kListView1, true}};
  for (int i = 0; i < 3; ++i) controls.push_back({form->Frame(i), layout::kFrames[static_cast<size_t>(i)].rect, true});
  for (int slot = 0; slot < layout::kThumbnailCount; ++slot) {
    controls.push_back({form->Image1(slot), layout::thumbnailRect(slot), true});
  }
  for (int slot = 0; slot < 16; ++slot) {
    const auto& spec = layout::kLabels[static_cast<size_t>(slot)];
    controls.push_back({form->Label1(slot), spec.rect, spec.wraps});
  }
  for (const UINT dpi : {96u, 192u}) {
    RECT suggested{0, 0, 1000, 700};  // within the test screen, which caps window sizes
    if (dpi != 96) {
      ::SendMessageW(form->hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    }
    auto px = [dpi](int twips) { return ::MulDiv(twips, static_cast<int>(dpi), 1440); };
    for (const Placed& placed : controls) {
      SCOPED_TRACE(testing::Message() << dpi << " dpi, control " << ::GetDlgCtrlID(placed.control));
      const RECT at = placement(placed.control);
      EXPECT_EQ(at.left, px(placed.rect.left));
      EXPECT_EQ(at.top, px(placed.rect.top));
      EXPECT_EQ(at.right - at.left, placed.sized || placed.control == form->Combo1() ? px(placed.rect.width)
                                                                                        : textWidth(placed.control));
      if (placed.sized) {
        EXPECT_EQ(at.bottom - at.top, px(placed.rect.height));
      }
    }
    RECT client{}, window{};
    ::GetClientRect(form->hwnd(), &client);
    ::GetWindowRect(form->hwnd(), &window);
    if (dpi == 96) {
      EXPECT_EQ(client.right, px(layout::kClientWidth));
      EXPECT_EQ(client.bottom, px(layout::kClientHeight));
    } else {
      EXPECT_EQ(window.right - window.left, suggested.right) << "the window takes the size the system suggests";
    }
  }
  // Field names ask their frame for blue, values for the usual text colour.
  for (int slot = 0; slot < 16; ++slot) {
    HWND label = form->Label1(slot);
    HDC dc = ::CreateCompatibleDC(nullptr);
    ::SendMessageW(::GetParent(label), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label));
    const bool fieldName = layout::kLabels[static_cast<size_t>(slot)].role == layout::LabelRole::FieldName;
    EXPECT_EQ(::GetTextColor(dc), fieldName ? RGB(0, 0, 255) : ::GetSysColor(COLOR_WINDOWTEXT)) << slot;
    ::DeleteDC(dc);
  }
  // The packs' order is the scan's and the installed files' order the record's.
  EXPECT_EQ(::GetWindowLongPtrW(form->Combo1(), GWL_STYLE) & CBS_SORT, 0);
  EXPECT_EQ(::GetWindowLongPtrW(form->List1(), GWL_STYLE) & LBS_SORT, 0);
}

// Start-up shows the registry's entries (or 未知) and takes the game folder from the
// expansion's path only.
TEST_F(MainWindowTest, StartUpShowsTheRegistryEntriesAndDerivesTheGameFolder) {
  struct Case {
    const char* what;
    std::function<void(GameRegistry&)> install;
    std::vector<std::pair<int, std::wstring>> captions;
    std::wstring gameDir;
  };
  const Case cases[] = {
      {"installed",
       [](GameRegistry& r) {
         r.installGame(L"D:\\Base\\Ra2.exe", L"D:\\Games\\RA2\\gamemd.exe");
         r.setText(GameRegistry::kExpansionKey, L"Name", L"尤里的复仇 & more");
       },
       {{1, L"Red Alert 2"}, {4, L"10006"}, {2, L"D:\\Base\\Ra2.exe"}, {10, L"尤里的复仇 & more"}, {7, L"10001"},
        {9, L"D:\\Games\\RA2\\gamemd.exe"}, {13, L"未知"}, {15, L"未知"}},
       L"D:\\Games\\RA2"},
      {"no entries", [](GameRegistry&) {},
       {{1, L"未知"}, {4, L"未知"}, {2, L"未知"}, {10, L"未知"}, {7, L"未知"}, {9, L"未知"}, {13, L"未知"}, {15, L"未知"}},
       L"未知"},
      {"empty text, path without separator",
       [](GameRegistry& r) {
         r.setText(GameRegistry::kGameKey, L"Name", L"");
         r.setText(GameRegistry::kExpansionKey, L"InstallPath", L"gamemd.exe");
       },
       {{1, L"未知"}}, L"gamemd.exe"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    GameRegistry::removeAll();
    c.install(registry);
    auto form = open();
    ASSERT_TRUE(form);
    for (const auto& [slot, caption] : c.captions) EXPECT_EQ(form->caption(slot), caption) << slot;
    EXPECT_EQ(form->GameDir(), c.gameDir);
    EXPECT_TRUE(log.messages.empty());
  }
}

// Keys go through the program's own message loop: Tab moves on to the next enabled
// control, Enter presses the focused button (here the launch, which reports that the
// game is unknown).
TEST_F(MainWindowTest, TabAndEnterWorkAsInADialog) {
  auto form = open();
  ASSERT_TRUE(form);
  ::ShowWindow(form->hwnd(), SW_SHOW);
  ::SetForegroundWindow(form->hwnd());
  ::SetFocus(form->Command(2));
  ::PostMessageW(form->Command(2), WM_KEYDOWN, VK_TAB, 0);
  ::PostQuitMessage(0);
  tarnwick::runMessageLoop(form->hwnd());
  EXPECT_EQ(::GetFocus(), form->Command(3));
  EXPECT_TRUE(log.messages.empty());

  ::SetFocus(form->Command(2));
  ::PostMessageW(form->Command(2), WM_KEYDOWN, VK_RETURN, 0);
  ::PostQuitMessage(0);
  tarnwick::runMessageLoop(form->hwnd());
  ASSERT_EQ(log.messages.size(), 1u) << "Enter did not press the focused button";
  EXPECT_NE(log.messages[0].find(L"未知"), std::wstring::npos);
}

// Work that runs long shows its progress in the title, keeps the buttons and the pack
// combo disabled, and holds a close until it has ended; short work shows nothing.
TEST_F(MainWindowTest, LongWorkShowsItsProgressAndHoldsAClose) {
  auto form = open();
  HWND window = form->hwnd();
  const std::vector<HWND> controls = {form->Command(3), form->Combo1()};
  ASSERT_TRUE(::IsWindowEnabled(form->Command(3)));
  ASSERT_FALSE(::IsWindowEnabled(form->Combo1())) << "no pack folder here";
  {
    tarnwick::BusyWindow busy(window, controls);
    const tarnwick::Progress progress = busy.progress(L"正在复制地图包");
    progress(1, 3);
    EXPECT_EQ(windowText(window), L"Tarnwick") << "not yet half a second";
    ::Sleep(600);
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    progress(2, 3);
    EXPECT_EQ(windowText(window), L"Tarnwick - 正在复制地图包 2 / 3");
    for (HWND control : controls) EXPECT_FALSE(::IsWindowEnabled(control));
    EXPECT_TRUE(::IsWindow(window)) << "the close waits";
  }
  EXPECT_EQ(windowText(window), L"Tarnwick");
  EXPECT_TRUE(::IsWindowEnabled(form->Command(3)));
  EXPECT_FALSE(::IsWindowEnabled(form->Combo1())) << "as it was";
  pumpMessages();
  EXPECT_FALSE(::IsWindow(window)) << "and comes once the work has ended";
}

}  // namespace
