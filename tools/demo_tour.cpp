// Walks a running Tarnwick through the steps the README shows, one step per call, so
// a script can take a screenshot after each:
//   demo_tour choose PACK     choose the pack and wait for its thumbnails
//   demo_tour preview SLOT    click a thumbnail and wait for its preview window
//   demo_tour map ROW         open a row of the map list with the keyboard and wait for
//                             its preview window
//   demo_tour sort COLUMN     click the map list's header over a column
//   demo_tour close-previews  close every preview window
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "window_driver.h"

using namespace tarnwick::e2e;

namespace {
constexpr int kCombo1 = 110, kListView1 = 121, kImageFirst = 200;
constexpr UINT kGetItemCount = 0x1004;  // LVM_GETITEMCOUNT
constexpr UINT kGetHeader = 0x101F;     // LVM_GETHEADER
constexpr UINT kGetColumnWidth = 0x101D;  // LVM_GETCOLUMNWIDTH
}

int wmain(int argc, wchar_t** argv) {
  if (argc == 2 && std::wstring(argv[1]) == L"close-previews") {
    while (HWND preview = ::FindWindowW(nullptr, L"图像预览")) {
      ::SendMessageW(preview, WM_CLOSE, 0, 0);
    }
    return 0;
  }
  if (argc != 3) {
    std::fwprintf(stderr, L"usage: demo_tour choose PACK | preview SLOT | map ROW | sort COLUMN | close-previews\n");
    return 2;
  }
  HWND window = waitForWindow(L"Tarnwick.Form1", L"Tarnwick", 30);
  if (window == nullptr) return std::fwprintf(stderr, L"no Tarnwick window\n"), 1;
  const std::wstring step = argv[1];
  if (step == L"choose") {
    HWND combo = findControl(window, kCombo1);
    const auto index = ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(argv[2]));
    if (index < 0) return std::fwprintf(stderr, L"no such pack\n"), 1;
    choose(combo, static_cast<int>(index));
    HWND first = findControl(window, kImageFirst);
    HWND maps = findControl(window, kListView1);
    return waitUntil([&] { return ::IsWindowVisible(first) || ::SendMessageW(maps, kGetItemCount, 0, 0) > 0; }, 30)
               ? 0
               : 1;
  }
  if (step == L"preview") {
    const int slot = _wtoi(argv[2]);
    HWND thumbnail = findControl(window, kImageFirst + slot);
    // A click on a thumbnail reaches the window as the static control's notification.
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(kImageFirst + slot, STN_CLICKED), reinterpret_cast<LPARAM>(thumbnail));
    return waitForWindow(nullptr, L"图像预览", 30) != nullptr ? 0 : 1;
  }
  if (step == L"map") {
    HWND maps = findControl(window, kListView1);
    ::PostMessageW(maps, WM_KEYDOWN, VK_HOME, 0);
    for (int row = _wtoi(argv[2]); row > 0; --row) ::PostMessageW(maps, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageW(maps, WM_KEYDOWN, VK_RETURN, 0);
    return waitForWindow(nullptr, L"图像预览", 30) != nullptr ? 0 : 1;
  }
  if (step == L"sort") {
    HWND maps = findControl(window, kListView1);
    HWND header = reinterpret_cast<HWND>(::SendMessageW(maps, kGetHeader, 0, 0));
    const int column = _wtoi(argv[2]);
    int x = 0;
    for (int before = 0; before < column; ++before) x += static_cast<int>(::SendMessageW(maps, kGetColumnWidth, before, 0));
    x += static_cast<int>(::SendMessageW(maps, kGetColumnWidth, column, 0)) / 2;
    ::SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 4));
    ::SendMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(x, 4));
    return 0;
  }
  return 2;
}
