#include "app/busy_window.h"

#include "app/texts.h"

namespace tarnwick {
namespace {

constexpr ULONGLONG kQuietMs = 500;     // shorter work shows nothing
constexpr ULONGLONG kRefreshMs = 100;

// A window property: 1 while busy, 2 once a close waits.
constexpr wchar_t kBusyProperty[] = L"Tarnwick.Busy";

bool isUserInput(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
         (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

}  // namespace

BusyWindow::BusyWindow(HWND window, std::vector<HWND> controls)
    : window_(window), controls_(std::move(controls)), start_(::GetTickCount64()) {
  ::SetPropW(window_, kBusyProperty, reinterpret_cast<HANDLE>(1));
}

BusyWindow::~BusyWindow() {
  for (HWND control : disabled_) ::EnableWindow(control, TRUE);
  if (lastShown_ != 0) ::SetWindowTextW(window_, texts::kWindowTitle);
  if (::RemovePropW(window_, kBusyProperty) == reinterpret_cast<HANDLE>(2)) ::PostMessageW(window_, WM_CLOSE, 0, 0);
}

bool deferCloseWhileBusy(HWND window) {
  if (::GetPropW(window, kBusyProperty) == nullptr) return false;
  ::SetPropW(window, kBusyProperty, reinterpret_cast<HANDLE>(2));
  return true;
}

Progress BusyWindow::progress(std::wstring doing) {
  return [counted = progressOfUnknownAll(std::move(doing))](size_t done, size_t all) { counted(done, all); };
}

std::function<void(size_t, std::optional<size_t>)> BusyWindow::progressOfUnknownAll(std::wstring doing) {
  return [this, doing = std::move(doing)](size_t done, std::optional<size_t> all) {
    const ULONGLONG now = ::GetTickCount64();
    if (now - start_ < kQuietMs || now - lastShown_ < kRefreshMs) return;
    if (lastShown_ == 0) {
      for (HWND control : controls_) {
        if (::IsWindowEnabled(control)) {
          ::EnableWindow(control, FALSE);
          disabled_.push_back(control);
        }
      }
    }
    lastShown_ = now;
    show(doing, done, all);
    handleWaitingMessages();
  };
}

void BusyWindow::show(const std::wstring& doing, size_t done, std::optional<size_t> all) {
  const std::wstring title = std::wstring(texts::kWindowTitle) + L" - " + doing + L" " + std::to_wstring(done) +
                             (all ? L" / " + std::to_wstring(*all) : L"");
  ::SetWindowTextW(window_, title.c_str());
}

void BusyWindow::handleWaitingMessages() {
  MSG message{};
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (isUserInput(message.message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

}  // namespace tarnwick
