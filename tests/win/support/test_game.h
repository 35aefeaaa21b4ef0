#pragma once
// The fixtures of the tests that open the program's windows in their own process.
#include <windows.h>

#include <memory>
#include <utility>

#include "app/form1.h"
#include "support/fixtures.h"

namespace tarnwick::test {

using FileContents = std::map<std::wstring, std::string>;

// An installed game in a temporary folder, with the registry pointing at it:
// <temp>\RA2 holds gamemd.exe, Ra2.exe, the game's ra2md.csf and rulesmd.ini, and the
// pack folder ZAzod with the pristine ra2md.csf. Packs are added per test.
class TestGame {
 public:
  static constexpr const char* kGameTable = "game csf";
  static constexpr const char* kGameRules = "game rules";

  TestGame();

  [[nodiscard]] const std::wstring& dir() const { return dir_; }
  std::wstring operator/(std::wstring_view relative) const { return dir_ + L"\\" + std::wstring(relative); }
  [[nodiscard]] std::wstring packs() const { return dir_ + L"\\ZAzod"; }
  [[nodiscard]] std::wstring record() const { return dir_ + L"\\ZAzod\\cofin.txt"; }
  [[nodiscard]] std::wstring kept() const { return dir_ + L"\\ZAzod\\.originals"; }
  [[nodiscard]] const TempFolder& temp() const { return temp_; }

  // ZAzod\<name> holding the files; returns the pack's folder.
  std::wstring addPack(const std::wstring& name, const std::vector<std::pair<std::wstring, std::string>>& files);

  // A new main window, as the program's start creates it.
  std::unique_ptr<Form1> open();

  MessageLog log;

 private:
  TempFolder temp_;
  GameRegistry registry_;
  std::wstring dir_ = temp_ / L"RA2";
};

// Chooses a pack in the combo as the user's click does.
void choosePack(Form1& form, std::wstring_view name);

std::vector<std::wstring> listItems(const Form1& form);

// Drops the files and folders on the window as the shell does (a WM_DROPFILES).
void dropFiles(HWND window, const std::vector<std::wstring>& paths);

// Closes the window as the user does.
void closeWindow(Form1& form);

// The stand-in game program built with the tests, as a Windows path.
std::wstring standInGameExe();

// Waits (up to a few seconds) for the stand-in game's launch.log in `folder` and
// returns its text; empty when it never appears.
std::string waitForLaunchLog(const std::wstring& folder);

}  // namespace tarnwick::test
