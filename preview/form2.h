#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "platform/pictures.h"
#include "platform/unique_handle.h"
#include "platform/window_base.h"

namespace tarnwick {

// A preview window: one picture at its own size in a window of its own, with no
// owner, beside the main window. Each one lives until the user closes it.
class Form2 : public WindowBase {
 public:
  // Opens a new preview of the picture file. Nothing on success; the message to
  // show when the picture can't be loaded (no window opens then).
  static std::optional<std::wstring> open(HINSTANCE instance, const std::wstring& picturePath);
  // Opens a new preview of a picture already decoded (a map's own preview).
  static std::optional<std::wstring> open(HINSTANCE instance, FullSizePicture picture);

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
