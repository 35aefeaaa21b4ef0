#include "platform/window_base.h"

namespace tarnwick {

HWND WindowBase::createWindow(DWORD exStyle, const wchar_t* windowClass, const wchar_t* title, DWORD style, SIZE size,
                              HINSTANCE instance) {
  return ::CreateWindowExW(exStyle, windowClass, title, style, CW_USEDEFAULT, CW_USEDEFAULT, size.cx, size.cy, nullptr,
                           nullptr, instance, static_cast<WindowBase*>(this));
}

LRESULT CALLBACK WindowBase::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<WindowBase*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    const LRESULT result = ::DefWindowProcW(window, message, wParam, lParam);
    self->onWindowGone();
    return result;
  }
  return self->handleMessage(message, wParam, lParam);
}

}  // namespace tarnwick
