#include "preview/form2.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "platform/pictures.h"
#include "platform/window_class.h"
#include "platform/window_lifetime.h"

namespace tarnwick {
namespace {

constexpr wchar_t kWindowClass[] = L"Tarnwick.Form2";

}  // namespace

bool Form2::open(HINSTANCE instance, const std::wstring& title, FullSizePicture picture) {
  if (!registerTopLevelClass(instance, kWindowClass, windowProc)) return false;

  auto form = std::unique_ptr<Form2>(new Form2());
  form->bitmap_ = std::move(picture.bitmap);
  form->pictureSize_ = picture.size;

  HWND window = form->createWindow(0, kWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW,
                                   SIZE{CW_USEDEFAULT, CW_USEDEFAULT}, instance);
  if (window == nullptr) return false;
  Form2* const created = form.release();
  created->adopted_ = true;
  topLevelWindowOpened();

  created->picture1_ = ::CreateWindowExW(0, WC_STATICW, L"", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, 0, 0,
                                         created->pictureSize_.cx, created->pictureSize_.cy, window, nullptr,
                                         instance, nullptr);
  // The window's outer size is the picture's, so frame and title take their room from it.
  // It is set after the window is made: a window being made is kept within the screen,
  // while a resize asks WM_GETMINMAXINFO, which lets a large picture have its size.
  ::SetWindowPos(window, nullptr, 0, 0, created->pictureSize_.cx, created->pictureSize_.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::ShowWindow(window, SW_SHOWNORMAL);
  ::UpdateWindow(window);
  return true;
}

LRESULT Form2::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETMINMAXINFO:
      limitTracking(*reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    case WM_DRAWITEM:
      drawPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    default:
      return ::DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

void Form2::onWindowGone() {
  if (!adopted_) return;
  delete this;
  topLevelWindowClosed();
}

void Form2::limitTracking(MINMAXINFO& limits) const {
  // The window takes its picture's size even where that is larger than the screen
  // or smaller than windows usually get.
  limits.ptMaxTrackSize.x = std::max(limits.ptMaxTrackSize.x, pictureSize_.cx);
  limits.ptMaxTrackSize.y = std::max(limits.ptMaxTrackSize.y, pictureSize_.cy);
  limits.ptMinTrackSize.x = std::min(limits.ptMinTrackSize.x, pictureSize_.cx);
  limits.ptMinTrackSize.y = std::min(limits.ptMinTrackSize.y, pictureSize_.cy);
}

void Form2::drawPicture(const DRAWITEMSTRUCT& item) const {
  MemoryDc source(item.hDC);
  SelectedObject selected(source.get(), bitmap_.get());
  ::BitBlt(item.hDC, 0, 0, pictureSize_.cx, pictureSize_.cy, source.get(), 0, 0, SRCCOPY);
}

}  // namespace tarnwick
