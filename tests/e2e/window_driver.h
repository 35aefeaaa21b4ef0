#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "app/form1_layout.h"
#include "platform/control_contents.h"
#include "platform/unique_handle.h"
#include "support/files.h"
#include "support/messages.h"

namespace tarnwick::e2e {

// Drives another process's windows from outside, as a user's clicks and keys would.

using test::windowText;

// Waits until `condition` holds, asking every `pollMs`; false when `seconds` pass first.
bool waitUntil(const std::function<bool()>& condition, double seconds, DWORD pollMs = 50);
// Waits (up to `seconds`) for a shown top-level window of the class and title; null when none.
HWND waitForWindow(const wchar_t* windowClass, const wchar_t* title, double seconds);
// The first descendant of `parent` with the control identifier.
HWND findControl(HWND parent, int id);
// The message box's text.
inline std::wstring messageBoxText(HWND box) { return windowText(::GetDlgItem(box, 0xFFFF)); }
// Presses a button without waiting for its handler (which may open a message box).
inline void click(HWND button) { ::PostMessageW(button, BM_CLICK, 0, 0); }
// Chooses combo item `index` the way a choice from its list does.
void choose(HWND combo, int index);

constexpr wchar_t kGameFolder[] = L"C:\\Westwood\\RA2";
constexpr wchar_t kPackFolder[] = L"C:\\Westwood\\RA2\\ZAzod";
constexpr wchar_t kRecord[] = L"C:\\Westwood\\RA2\\ZAzod\\cofin.txt";

// One run of the program named by TARNWICK_EXE, started in the game folder; it is ended
// at once if it is still running when this goes.
class RunningProgram {
 public:
  // With `showsWindow`, waits for the main window to appear.
  explicit RunningProgram(bool showsWindow = true);
  ~RunningProgram() { kill(); }
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  [[nodiscard]] HWND window() const { return window_; }
  [[nodiscard]] HWND control(int id) const { return findControl(window_, id); }
  [[nodiscard]] std::wstring label(int slot) const { return windowText(control(layout::kIdLabelFirst + slot)); }
  [[nodiscard]] size_t listed() const { return listBoxItems(control(layout::kIdList1)).size(); }
  // Its message box, waited for up to `seconds`; null when none is open.
  [[nodiscard]] HWND messageBox(double seconds = 0) const;
  void choose(const wchar_t* pack) const;

  // Closes the main window the way its close box does; true when the process ended.
  bool close();
  // Whether the process ends within 20 s.
  bool ended() const;
  // Ends the process from outside at once, as a crash or a power cut would.
  void kill();

 private:
  UniqueKernelObject process_;
  DWORD id_ = 0;
  HWND window_ = nullptr;
};

}  // namespace tarnwick::e2e
