#pragma once
#include <windows.h>

namespace tarnwick {

// The base of the program's own windows: one window procedure that ties each window to
// its object when the window is made, hands every message to the object's
// handleMessage, and unties them when the window goes.
class WindowBase {
 public:
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  [[nodiscard]] HWND hwnd() const { return hwnd_; }

 protected:
  WindowBase() = default;
  virtual ~WindowBase() = default;

  // The procedure to register the window class with.
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // Makes this object's window; hwnd() is set from its first message on.
  HWND createWindow(DWORD exStyle, const wchar_t* windowClass, const wchar_t* title, DWORD style, SIZE size,
                    HINSTANCE instance);

  virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
  // After the window's last message; the object may delete itself here.
  virtual void onWindowGone() {}

  HWND hwnd_ = nullptr;
};

}  // namespace tarnwick
