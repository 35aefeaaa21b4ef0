#include "app/form1.h"

// One program per game folder. Two programs installing and removing packs in one game
// folder undo each other's work and delete the game's own files, so the first one holds
// a lock file in the pack folder for as long as its window lives, and a second one ends.
// A lock file rather than a named mutex: it is seen by every Windows user, and under
// Wine by programs of other prefixes too.
//
// Without a game folder ("未知") or a pack folder there is nothing to manage: no record
// can be kept and no pack installed, so nothing is locked. When the lock can't be taken
// for another reason (the lock file is a folder or a link to nowhere, or the folder may
// not be written), the program still shows what is installed but changes nothing: no
// install, removal or import, no record written, no interrupted operation finished. Two
// programs might run then, and either one's change would undo the other's.

#include "app/form1_layout.h"
#include "app/game_dir.h"
#include "app/messages.h"
#include "app/texts.h"
#include "packs/game_folder_layout.h"
#include "packs/unknown_mark.h"
#include "platform/exclusive_file.h"
#include "platform/file_system.h"

namespace tarnwick {
namespace {

constexpr int kLaunchTargetSlot = 9;

struct Search {
  const std::wstring* gameDir;
  HWND self;
  HWND found = nullptr;
};

struct WantedControl {
  int id;
  HWND found = nullptr;
};

BOOL CALLBACK findControl(HWND child, LPARAM data) {
  auto* wanted = reinterpret_cast<WantedControl*>(data);
  if (::GetDlgCtrlID(child) != wanted->id) return TRUE;
  wanted->found = child;
  return FALSE;
}

HWND findLabel(HWND form, int slot) {
  WantedControl wanted{layout::kIdLabelFirst + slot};
  ::EnumChildWindows(form, findControl, reinterpret_cast<LPARAM>(&wanted));
  return wanted.found;
}

// A main window of another Tarnwick that shows the same game.
BOOL CALLBACK findOtherProgram(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  wchar_t windowClass[64]{};
  if (window == search->self || ::GetClassNameW(window, windowClass, 64) == 0 ||
      std::wstring_view(windowClass) != kForm1WindowClass) {
    return TRUE;
  }
  HWND label = findLabel(window, kLaunchTargetSlot);
  wchar_t installPath[MAX_PATH * 2]{};
  if (label == nullptr || ::GetWindowTextW(label, installPath, MAX_PATH * 2) == 0) return TRUE;
  if (!sameFileName(gameDirFromInstallPath(installPath), *search->gameDir)) return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

bool Form1::claimGameFolder() {
  if (gameDir_ == kUnknownMark) {
    lockError_ = ERROR_PATH_NOT_FOUND;  // no game folder, nothing to lock
    return true;
  }
  gameFolderLock_ = holdExclusively(programLockOf(gameDir_), lockError_);
  if (!isHeldElsewhere(lockError_)) return true;

  managedElsewhere_ = true;
  if (handOverStartPaths()) return false;
  inform(texts::anotherProgramManages(gameDir_));
  // Where this session can see the other program's window, it comes to the front.
  Search search{&gameDir_, hwnd_};
  ::EnumWindows(findOtherProgram, reinterpret_cast<LPARAM>(&search));
  if (search.found != nullptr) {
    if (::IsIconic(search.found)) ::ShowWindowAsync(search.found, SW_RESTORE);
    ::SetForegroundWindow(search.found);
  }
  return false;
}

bool Form1::mayChangeGameFolder() const {
  if (gameFolderLock_) return true;
  inform(texts::gameFolderNotLocked(programLockOf(gameDir_), systemErrorText(lockError_)));
  return false;
}

}  // namespace tarnwick
