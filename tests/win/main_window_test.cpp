#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

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

int px(int twips) { return ::MulDiv(twips, 96, 1440); }

// Position of a control within its parent's client area.
RECT placement(HWND control) {
  RECT rect{};
  ::GetWindowRect(control, &rect);
  ::MapWindowPoints(nullptr, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::wstring className(HWND window) {
  wchar_t name[64]{};
  ::GetClassNameW(window, name, 64);
  return name;
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

TEST_F(MainWindowTest, LaysOutEveryControlAtItsDesignedPlaceAt96Dpi) {
  auto form = open();
  ASSERT_TRUE(form);
  EXPECT_EQ(windowText(form->hwnd()), L"Tarnwick");
  RECT client{};
  ::GetClientRect(form->hwnd(), &client);
  EXPECT_EQ(client.right, px(layout::kClientWidth));
  EXPECT_EQ(client.bottom, px(layout::kClientHeight));

  auto expectAt = [](HWND control, const layout::TwipsRect& designed, bool checkSize = true) {
    const RECT at = placement(control);
    EXPECT_EQ(at.left, px(designed.left)) << windowText(control);
    EXPECT_EQ(at.top, px(designed.top)) << windowText(control);
    if (checkSize) {
      EXPECT_EQ(at.right - at.left, px(designed.width)) << windowText(control);
      EXPECT_EQ(at.bottom - at.top, px(designed.height)) << windowText(control);
    }
  };
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(className(form->Frame(i)), L"Button");
    EXPECT_EQ(::GetWindowLongPtrW(form->Frame(i), GWL_STYLE) & BS_TYPEMASK, BS_GROUPBOX);
    EXPECT_EQ(windowText(form->Frame(i)), layout::kFrames[static_cast<size_t>(i)].caption);
    expectAt(form->Frame(i), layout::kFrames[static_cast<size_t>(i)].rect);
  }
  const layout::ButtonSpec* buttons[] = {&layout::kCommand1, &layout::kCommand2, &layout::kCommand3,
                                         &layout::kCommand4};
  for (int n = 1; n <= 4; ++n) {
    EXPECT_EQ(className(form->Command(n)), L"Button");
    EXPECT_EQ(windowText(form->Command(n)), buttons[n - 1]->caption);
    expectAt(form->Command(n), buttons[n - 1]->rect);
    EXPECT_EQ(::IsWindowEnabled(form->Command(n)) != FALSE, n != 1) << "only Command1 is disabled";
  }
  EXPECT_EQ(className(form->Combo1()), L"ComboBox");
  EXPECT_EQ(::GetWindowLongPtrW(form->Combo1(), GWL_STYLE) & 3, CBS_DROPDOWN);
  EXPECT_EQ(::GetWindowLongPtrW(form->Combo1(), GWL_STYLE) & CBS_SORT, 0);
  expectAt(form->Combo1(), layout::kCombo1, false);
  EXPECT_EQ(placement(form->Combo1()).right - placement(form->Combo1()).left, px(layout::kCombo1.width));
  for (int slot = 0; slot < 12; ++slot) {
    EXPECT_EQ(className(form->Image1(slot)), L"Static");
    expectAt(form->Image1(slot), layout::thumbnailRect(slot));
    EXPECT_FALSE(::IsWindowVisible(form->Image1(slot))) << "thumbnails start hidden";
  }
  EXPECT_EQ(layout::thumbnailRect(0).left, 4320);
  EXPECT_EQ(layout::thumbnailRect(3).left, 9360);
  EXPECT_EQ(layout::thumbnailRect(11).top, 2880);
  EXPECT_EQ(className(form->List1()), L"ListBox");
  EXPECT_EQ(::GetWindowLongPtrW(form->List1(), GWL_STYLE) & LBS_SORT, 0);
  expectAt(form->List1(), layout::kList1);
  EXPECT_GE(placement(form->List1()).top, client.bottom) << "List1 lies below the client area";
  EXPECT_EQ(className(form->ListView1()), L"SysListView32");
  EXPECT_EQ(::GetWindowLongPtrW(form->ListView1(), GWL_STYLE) & (LVS_TYPEMASK | LVS_SINGLESEL | LVS_OWNERDATA),
            LVS_REPORT | LVS_SINGLESEL);
  expectAt(form->ListView1(), layout::kListView1);
}

TEST_F(MainWindowTest, LabelsSitInTheirFramesSizedAndColouredByRole) {
  registry.installGame(L"C:\\Westwood\\RA2\\Ra2.exe",
                       L"C:\\A very long folder name that will not fit on one line\\Westwood\\RA2\\gamemd.exe");
  auto form = open();
  ASSERT_TRUE(form);
  for (int slot = 0; slot < 16; ++slot) {
    const auto& spec = layout::kLabels[static_cast<size_t>(slot)];
    HWND label = form->Label1(slot);
    EXPECT_EQ(className(label), L"Static");
    EXPECT_EQ(::GetParent(label), form->Frame(spec.frame)) << slot;
    EXPECT_NE(::GetWindowLongPtrW(label, GWL_STYLE) & SS_NOPREFIX, 0) << "labels show & as it is";
    const RECT at = placement(label);
    EXPECT_EQ(at.left, px(spec.rect.left)) << slot;
    EXPECT_EQ(at.top, px(spec.rect.top)) << slot;
    if (spec.wraps) {
      EXPECT_EQ(at.right - at.left, px(spec.rect.width)) << slot;
      EXPECT_EQ(at.bottom - at.top, px(spec.rect.height)) << slot;
    } else {
      // Sized to its text on one line.
      HDC dc = ::GetDC(label);
      HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0)));
      const std::wstring text = windowText(label);
      SIZE extent{};
      ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
      ::SelectObject(dc, old);
      ::ReleaseDC(label, dc);
      EXPECT_EQ(at.right - at.left, extent.cx) << slot;
    }
    // The colour the label asks its parent for: blue for field names.
    HDC dc = ::CreateCompatibleDC(nullptr);
    ::SendMessageW(::GetParent(label), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label));
    const COLORREF colour = ::GetTextColor(dc);
    ::DeleteDC(dc);
    if (spec.role == layout::LabelRole::FieldName) {
      EXPECT_EQ(colour, RGB(0, 0, 255)) << slot;
    } else {
      EXPECT_EQ(colour, ::GetSysColor(COLOR_WINDOWTEXT)) << slot;
    }
  }
  EXPECT_EQ(windowText(form->Label1(0)), L"游戏名称：");
  EXPECT_EQ(windowText(form->Label1(3)), L"游戏目录：");
  EXPECT_EQ(windowText(form->Label1(5)), L"游戏版本：");
  EXPECT_EQ(windowText(form->Label1(12)), L"地图名称：");
  EXPECT_EQ(windowText(form->Label1(14)), L"地图图径：");
}

TEST_F(MainWindowTest, StartUpShowsTheRegistryEntriesAndDerivesTheGameFolder) {
  registry.installGame(L"D:\\Base\\Ra2.exe", L"D:\\Games\\RA2\\gamemd.exe");
  registry.setText(GameRegistry::kExpansionKey, L"Name", L"尤里的复仇 & more");
  auto form = open();
  ASSERT_TRUE(form);
  EXPECT_EQ(form->caption(1), L"Red Alert 2");
  EXPECT_EQ(form->caption(4), L"10006");
  EXPECT_EQ(form->caption(2), L"D:\\Base\\Ra2.exe");
  EXPECT_EQ(form->caption(10), L"尤里的复仇 & more");
  EXPECT_EQ(form->caption(7), L"10001");
  EXPECT_EQ(form->caption(9), L"D:\\Games\\RA2\\gamemd.exe");
  EXPECT_EQ(form->GameDir(), L"D:\\Games\\RA2") << "from the expansion's path only";
  EXPECT_EQ(form->caption(13), L"未知");
  EXPECT_EQ(form->caption(15), L"未知");
}

TEST_F(MainWindowTest, StartUpWithoutAnyRegistryEntries) {
  auto form = open();
  ASSERT_TRUE(form);
  for (int slot : {1, 4, 2, 10, 7, 9}) EXPECT_EQ(form->caption(slot), L"未知") << slot;
  EXPECT_EQ(form->GameDir(), L"未知");
  EXPECT_EQ(windowText(form->Combo1()), L"请指定包函数地图的资料夹");
  EXPECT_FALSE(::IsWindowEnabled(form->Combo1()));
  EXPECT_EQ(form->caption(13), L"未知");
  EXPECT_EQ(form->caption(15), L"未知");
  EXPECT_TRUE(log.messages.empty());
}

TEST_F(MainWindowTest, EmptyRegistryTextsAndAPathWithoutSeparatorsShowAsTheyAre) {
  registry.setText(GameRegistry::kGameKey, L"Name", L"");
  registry.setText(GameRegistry::kExpansionKey, L"InstallPath", L"gamemd.exe");
  auto form = open();
  ASSERT_TRUE(form);
  EXPECT_EQ(form->caption(1), L"未知");
  EXPECT_EQ(form->GameDir(), L"gamemd.exe") << "a path without \\ is taken whole";
}

// Combo choice and typing: a choice from the list sets the chosen index, typing
// into the edit field leaves no pack chosen even when the text matches one.
TEST_F(MainWindowTest, ComboIndexFollowsChoicesAndTypingClearsIt) {
  auto form = open();
  ASSERT_TRUE(form);
  HWND combo = form->Combo1();
  ::EnableWindow(combo, TRUE);
  for (const wchar_t* name : {L"Alpha", L"Beta", L"Gamma"}) {
    ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  }
  EXPECT_EQ(::SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR) << "nothing chosen at start";

  ::SendMessageW(combo, CB_SETCURSEL, 1, 0);
  EXPECT_EQ(::SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);

  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(::GetComboBoxInfo(combo, &info));
  ::SetFocus(info.hwndItem);
  ::SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  ::SendMessageW(info.hwndItem, EM_SETSEL, 0, -1);
  for (wchar_t c : std::wstring(L"Gamma")) ::SendMessageW(info.hwndItem, WM_CHAR, c, 0);
  pumpMessages();
  EXPECT_EQ(::SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR) << "typing chose an item";
  ::SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
  pumpMessages();
  EXPECT_EQ(::SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(windowText(combo), L"Gamma") << "the typed text stays";
}

TEST_F(MainWindowTest, TabMovesBetweenTheEnabledControls) {
  auto form = open();
  ASSERT_TRUE(form);
  ::EnableWindow(form->Combo1(), TRUE);
  HWND order[] = {form->Combo1(), form->ListView1(), form->Command(2), form->Command(3), form->Command(4)};
  for (size_t i = 0; i < 5; ++i) {
    HWND next = ::GetNextDlgTabItem(form->hwnd(), order[i], FALSE);
    EXPECT_EQ(next, order[(i + 1) % 5]) << i;
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

// Moved to a monitor of twice the density, every control takes its designed place in
// twips again, now at 192 dots per inch.
TEST_F(MainWindowTest, LaysItselfOutAgainWhenTheDpiChanges) {
  auto form = open();
  ASSERT_TRUE(form);
  RECT suggested{0, 0, 1000, 700};  // within the test screen, which caps window sizes
  ::SendMessageW(form->hwnd(), WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
  auto px192 = [](int twips) { return ::MulDiv(twips, 192, 1440); };
  const RECT combo = placement(form->Combo1());
  EXPECT_EQ(combo.left, px192(layout::kCombo1.left));
  EXPECT_EQ(combo.right - combo.left, px192(layout::kCombo1.width));
  const RECT button = placement(form->Command(3));
  EXPECT_EQ(button.left, px192(layout::kCommand3.rect.left));
  EXPECT_EQ(button.bottom - button.top, px192(layout::kCommand3.rect.height));
  const RECT slot = placement(form->Image1(11));
  EXPECT_EQ(slot.left, px192(layout::thumbnailRect(11).left));
  EXPECT_EQ(slot.right - slot.left, px192(layout::kThumbnailWidth));
  const RECT maps = placement(form->ListView1());
  EXPECT_EQ(maps.top, px192(layout::kListView1.top));
  EXPECT_EQ(maps.bottom - maps.top, px192(layout::kListView1.height));
  const RECT wrapping = placement(form->Label1(15));
  EXPECT_EQ(wrapping.right - wrapping.left, px192(layout::kLabels[15].rect.width));
  RECT window{};
  ::GetWindowRect(form->hwnd(), &window);
  EXPECT_EQ(window.right - window.left, suggested.right) << "the window takes the size the system suggests";
}

TEST_F(MainWindowTest, ClosingTheWindowEndsIt) {
  auto form = open();
  ASSERT_TRUE(form);
  HWND window = form->hwnd();
  ::SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(::IsWindow(window));
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
