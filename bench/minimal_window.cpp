// The start-up baselines: the least a Win32 program does to show one window. With
// --scan it first enumerates the pack folder (ZAzod in its working folder) as bare
// FindFirstFileW/FindNextFileW calls, the one piece of start-up work no program
// listing packs can skip. With --main-window it makes, before showing its window, the
// windows the program's main window has at start-up: the same classes, styles and
// number, at the same places, with the system's message font, and nothing else (no
// registry, record or scan). That list is this file's own, as the main window was when
// it was written, so that the program's growth shows against it. Built twice: bare, and
// with the common controls 6 manifest the program has (main_window_baseline.exe).
#include <windows.h>
#include <commctrl.h>

#include <cwchar>
#include <iterator>

namespace {
LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) ::PostQuitMessage(0);
  return ::DefWindowProcW(window, message, wParam, lParam);
}

int countFolders(const wchar_t* pattern) {
  WIN32_FIND_DATAW entry{};
  HANDLE find = ::FindFirstFileW(pattern, &entry);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int folders = 0;
  do {
    folders += (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 1 : 0;
  } while (::FindNextFileW(find, &entry));
  ::FindClose(find);
  return folders;
}

// The main window's windows at start-up; places in twips, in the parent's client area.
constexpr int kMain = -1;  // the parent of the frames and controls; labels are the frames'
struct ChildWindow {
  const wchar_t* windowClass;
  const wchar_t* text;
  DWORD style;
  DWORD exStyle;
  int parent;  // kMain or a frame's index in kChildren
  int left, top, width, height;
};
constexpr DWORD kLabel = WS_VISIBLE | SS_LEFT | SS_NOPREFIX, kWrapping = kLabel | SS_EDITCONTROL;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr ChildWindow kChildren[] = {
    {WC_BUTTONW, L"游戏信息", WS_VISIBLE | BS_GROUPBOX, WS_EX_CONTROLPARENT, kMain, 240, 120, 3975, 2175},
    {WC_BUTTONW, L"资料片", WS_VISIBLE | BS_GROUPBOX, WS_EX_CONTROLPARENT, kMain, 240, 2400, 3975, 2175},
    {WC_BUTTONW, L"正在使用的地图信息", WS_VISIBLE | BS_GROUPBOX, WS_EX_CONTROLPARENT, kMain, 240, 4680, 3975, 2175},
    {WC_STATICW, L"游戏名称：", kLabel, 0, 0, 240, 360, 900, 180},
    {WC_STATICW, L"Red Alert 2", kLabel, 0, 0, 1200, 360, 900, 180},
    {WC_STATICW, L"C:\\Westwood\\RA2\\Ra2.exe", kWrapping, 0, 0, 360, 1080, 3420, 900},
    {WC_STATICW, L"游戏目录：", kLabel, 0, 0, 240, 840, 900, 180},
    {WC_STATICW, L"1.006", kLabel, 0, 0, 1200, 600, 900, 180},
    {WC_STATICW, L"游戏版本：", kLabel, 0, 0, 240, 600, 900, 180},
    {WC_STATICW, L"游戏版本：", kLabel, 0, 1, 240, 600, 900, 180},
    {WC_STATICW, L"1.001", kLabel, 0, 1, 1200, 600, 900, 180},
    {WC_STATICW, L"游戏目录：", kLabel, 0, 1, 240, 840, 900, 180},
    {WC_STATICW, L"C:\\Westwood\\RA2\\gamemd.exe", kWrapping, 0, 1, 360, 1080, 3420, 900},
    {WC_STATICW, L"Yuri's Revenge", kLabel, 0, 1, 1200, 360, 900, 180},
    {WC_STATICW, L"游戏名称：", kLabel, 0, 1, 240, 360, 900, 180},
    {WC_STATICW, L"地图名称：", kLabel, 0, 2, 240, 360, 900, 180},
    {WC_STATICW, L"未知", kLabel, 0, 2, 1200, 360, 360, 180},
    {WC_STATICW, L"地图图径：", kLabel, 0, 2, 240, 600, 900, 180},
    {WC_STATICW, L"未知", kWrapping, 0, 2, 240, 840, 3600, 1140},
    {WC_BUTTONW, L"指定地图目录", kButton | WS_DISABLED, 0, kMain, 4200, 240, 1575, 375},
    {WC_COMBOBOXW, L"Combo1", WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, kMain, 5880, 240,
     6015, 3300},
    {WC_LISTVIEWW, L"", WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS,
     WS_EX_CLIENTEDGE, kMain, 4320, 4080, 7575, 3495},
    {WC_BUTTONW, L"执行游戏", kButton, 0, kMain, 120, 7080, 1335, 495},
    {WC_BUTTONW, L"复制地图包", kButton, 0, kMain, 1440, 7080, 1335, 495},
    {WC_BUTTONW, L"移除地图包", kButton, 0, kMain, 2760, 7080, 1335, 495},
    {WC_LISTBOXW, L"", WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 0, kMain, 4320, 7680, 4335, 960},
};
constexpr int kClientWidth = 13065, kClientHeight = 7650;
constexpr const wchar_t* kListColumns[] = {L"地图", L"人数", L"文件"};
constexpr int kListColumnWidths[] = {3600, 960, 2640};

int pixels(int twips, int dpi) { return ::MulDiv(twips, dpi, 1440); }

void makeMainWindowsWindows(HWND window, HINSTANCE instance, HFONT font, int dpi) {
  HWND made[std::size(kChildren)]{};
  for (size_t i = 0; i < std::size(kChildren); ++i) {
    const ChildWindow& child = kChildren[i];
    made[i] = ::CreateWindowExW(child.exStyle, child.windowClass, child.text, WS_CHILD | child.style,
                                pixels(child.left, dpi), pixels(child.top, dpi), pixels(child.width, dpi),
                                pixels(child.height, dpi), child.parent == kMain ? window : made[child.parent],
                                reinterpret_cast<HMENU>(100 + i), instance, nullptr);
    ::SendMessageW(made[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (std::wcscmp(child.windowClass, WC_LISTVIEWW) != 0) continue;
    for (int column = 0; column < 3; ++column) {
      LVCOLUMNW item{};
      item.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
      item.pszText = const_cast<wchar_t*>(kListColumns[column]);
      item.cx = pixels(kListColumnWidths[column], dpi);
      item.iSubItem = column;
      ::SendMessageW(made[i], LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
    }
  }
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
  wchar_t title[32] = L"Minimal";
  if (std::wcsstr(commandLine, L"--scan") != nullptr) {
    std::swprintf(title, 32, L"Minimal, %d folders", countFolders(L"ZAzod\\*"));
  }
  const bool mainWindows = std::wcsstr(commandLine, L"--main-window") != nullptr;
  if (mainWindows) {
    // Loaded only here: the bare program loads no common controls.
    using InitControls = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto init = reinterpret_cast<InitControls>(
        reinterpret_cast<void*>(::GetProcAddress(::LoadLibraryW(L"comctl32.dll"), "InitCommonControlsEx")));
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    if (init != nullptr) init(&controls);
  }
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"Tarnwick.MinimalWindow";
  ::RegisterClassExW(&windowClass);
  HWND window = nullptr;
  HFONT font = nullptr;
  if (mainWindows) {
    // The main window made at its size, then its windows, all with the message font.
    constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, kExStyle = WS_EX_CONTROLPARENT;
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    RECT outer{0, 0, pixels(kClientWidth, dpi), pixels(kClientHeight, dpi)};
    ::AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
    window = ::CreateWindowExW(kExStyle, windowClass.lpszClassName, title, kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                               outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    font = ::CreateFontIndirectW(&metrics.lfMessageFont);
    makeMainWindowsWindows(window, instance, font, dpi);
  } else {
    window = ::CreateWindowExW(0, windowClass.lpszClassName, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                               871, 510, nullptr, nullptr, instance, nullptr);
  }
  ::ShowWindow(window, showCommand);
  ::UpdateWindow(window);
  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  if (font != nullptr) ::DeleteObject(font);
  return 0;
}
