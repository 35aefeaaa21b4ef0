#include "preview/form2.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>

#include "platform/dpi.h"
#include "platform/pictures.h"
#include "platform/window_class.h"
#include "platform/window_lifetime.h"

namespace tarnwick {
namespace {

constexpr wchar_t kWindowClass[] = L"Tarnwick.Form2";
constexpr wchar_t kTitle[] = L"图像预览";
constexpr int kInitialClientWidth = 4560;   // twips
constexpr int kInitialClientHeight = 3030;  // twips

}  // namespace

std::optional<std::wstring> Form2::open(HINSTANCE instance, const std::wstring& picturePath) {
  // The full-size picture is loaded only now, when it is shown.
  std::wstring reason;
  auto picture = loadPictureFullSize(picturePath, &reason);
  if (!picture) return L"无法打开图片：" + picturePath + L"\r\n" + reason;
  return open(instance, std::move(*picture));
}

std::optional<std::wstring> Form2::open(HINSTANCE instance, FullSizePicture picture) {
  if (!registerTopLevelClass(instance, kWindowClass, windowProc)) return L"无法打开预览窗口。";

  auto form = std::unique_ptr<Form2>(new Form2());
  form->bitmap_ = std::move(picture.bitmap);
  form->pictureSize_ = picture.size;

  const DWORD style = WS_OVERLAPPEDWINDOW;
  const UINT dpi = dpiForWindow(nullptr);
  const SIZE initial = outerSizeForClient(
      {twipsToPixels(kInitialClientWidth, dpi), twipsToPixels(kInitialClientHeight, dpi)}, style, 0, dpi);
  HWND window = ::CreateWindowExW(0, kWindowClass, kTitle, style, CW_USEDEFAULT, CW_USEDEFAULT, initial.cx, initial.cy,
                                  nullptr, nullptr, instance, form.get());
  if (window == nullptr) return L"无法打开预览窗口。";
  Form2* const created = form.release();
  created->adopted_ = true;
  topLevelWindowOpened();

  // Picture1 takes the picture's own size; the window's outer size is then set to
  // Picture1's, so frame and title take their room from the picture.
  created->picture1_ = ::CreateWindowExW(0, WC_STATICW, L"", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, 0, 0,
                                         created->pictureSize_.cx, created->pictureSize_.cy, window, nullptr,
                                         instance, nullptr);
  ::SetWindowPos(window, nullptr, 0, 0, created->pictureSize_.cx, created->pictureSize_.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::ShowWindow(window, SW_SHOWNORMAL);
  ::UpdateWindow(window);
  return std::nullopt;
}

LRESULT CALLBACK Form2::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<Form2*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->hwnd_ = window;
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<Form2*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  if (form == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_GETMINMAXINFO:
      form->limitTracking(*reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    case WM_DRAWITEM:
      form->drawPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_NCDESTROY:
      ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      if (form->adopted_) {
        delete form;
        topLevelWindowClosed();
      }
      break;
    default:
      break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
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
