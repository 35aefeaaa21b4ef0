#pragma once
#include <windows.h>

namespace tarnwick {

// Per-monitor DPI support: the functions newer than Windows 7 are looked up at run
// time; without them the system DPI is used throughout.

inline constexpr int kTwipsPerInch = 1440;

// The one conversion from the layout's twips to pixels at a DPI.
int twipsToPixels(int twips, UINT dpi);

// The window's DPI; for no window, the system's.
UINT dpiForWindow(HWND window);

// The outer size that gives a window the client size asked for at a DPI.
SIZE outerSizeForClient(SIZE client, DWORD style, DWORD exStyle, UINT dpi);

// The system's message font, sized for a DPI.
LOGFONTW messageFontForDpi(UINT dpi);

}  // namespace tarnwick
