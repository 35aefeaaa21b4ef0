#pragma once
#include <windows.h>

#include <string>

#include "platform/pictures.h"
#include "platform/unique_handle.h"
#include "platform/window_base.h"

namespace tarnwick {

// A preview window: one picture at its own size in a window of its own, with no
// owner, beside the main window. Each one lives until the user closes it.
class Form2 : public WindowBase {
 public:
  // Opens a new preview of a decoded picture with the title given; false when the
  // window can't be made.
  [[nodiscard]] static bool open(HINSTANCE instance, const std::wstring& title, FullSizePicture picture);

 private:
  Form2() = default;
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void onWindowGone() override;
  void limitTracking(MINMAXINFO& limits) const;
  void drawPicture(const DRAWITEMSTRUCT& item) const;

  HWND picture1_ = nullptr;
  bool adopted_ = false;  // owned by its window, which deletes it when it goes
  UniqueBitmap bitmap_;
  SIZE pictureSize_{};
};

}  // namespace tarnwick
