#pragma once
#include <windows.h>

#include <map>
#include <string>

#include "support/files.h"
#include "window_driver.h"

namespace tarnwick::e2e {

constexpr wchar_t kGameFolder[] = L"C:\\Westwood\\RA2";
constexpr wchar_t kPackFolder[] = L"C:\\Westwood\\RA2\\ZAzod";
constexpr wchar_t kRecord[] = L"C:\\Westwood\\RA2\\ZAzod\\cofin.txt";

// Control identifiers of the main window.
constexpr int kCommand3 = 103, kCommand4 = 104, kCombo1 = 110, kList1 = 120, kListView1 = 121, kImageFirst = 200, kLabelFirst = 300;

using test::filesIn;
// The whole file, shared with its writer; "<missing>" when it can't be opened.
inline std::string readFile(const std::wstring& path) { return test::readBytes(path).value_or("<missing>"); }

int comboIndexOf(HWND combo, const wchar_t* name);

// One run of the program named by TARNWICK_EXE, started in the game folder; it is ended
// at once if it is still running when this goes.
class RunningProgram {
 public:
  // With `showsWindow`, waits for the main window to appear.
  explicit RunningProgram(bool showsWindow = true);
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  [[nodiscard]] HWND window() const { return window_; }
  [[nodiscard]] HWND control(int id) const { return findControl(window_, id); }
  [[nodiscard]] std::wstring label(int slot) const { return windowText(control(kLabelFirst + slot)); }
  [[nodiscard]] DWORD id() const { return process_.dwProcessId; }

  // Closes the main window the way its close box does; true when the process ended.
  bool close();
  // Whether the process ends within 20 s.
  bool ended();
  // Ends the process from outside at once, as a crash or a power cut would.
  void kill();

 private:
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

}  // namespace tarnwick::e2e
