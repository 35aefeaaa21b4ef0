#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "packs/progress.h"

namespace tarnwick {

// The main window while an install, a removal or an import runs on its thread. Once the
// work has taken about half a second, its controls are disabled (so nothing else starts
// in between), its title shows how many files are done of all, and it keeps painting:
// waiting messages are handled as the work goes on, except the user's input, which is
// dropped, and closing, which waits until the work has ended.
class BusyWindow {
 public:
  BusyWindow(HWND window, std::vector<HWND> controls);
  ~BusyWindow();
  BusyWindow(const BusyWindow&) = delete;
  BusyWindow& operator=(const BusyWindow&) = delete;

  // The progress of one step, `doing` naming it in the title.
  Progress progress(std::wstring doing);
  // The same where the number of all may be unknown: the title then counts alone.
  std::function<void(size_t done, std::optional<size_t> all)> progressOfUnknownAll(std::wstring doing);

 private:
  void show(const std::wstring& doing, size_t done, std::optional<size_t> all);
  void handleWaitingMessages();

  HWND window_;
  std::vector<HWND> controls_;
  std::vector<HWND> disabled_;  // the controls disabled here, to enable again
  ULONGLONG start_;
  ULONGLONG lastShown_ = 0;
};

// Whether the window is busy; if so, it closes once the work has ended. The window's
// close handler asks first.
bool deferCloseWhileBusy(HWND window);

}  // namespace tarnwick
