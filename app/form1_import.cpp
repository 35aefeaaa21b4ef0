#include "app/form1.h"

// Importing archives and folders as packs. Paths arrive from a drop, from another
// program's hand-over or from the command line, at any moment: inside an install's
// question or progress too, since both run the window's messages. So they are only
// queued there, and the queue is imported once no other handler of the window runs, one
// path after another under one progress in the title; one message tells of them all,
// and the last pack made is chosen. Importing touches only the pack folder, so it is
// allowed while the game runs.

#include <windowsx.h>

#include "app/busy_window.h"
#include "app/messages.h"
#include "app/texts.h"
#include "packs/game_folder_layout.h"
#include "packs/pack_import.h"
#include "packs/unknown_mark.h"
#include "platform/control_contents.h"
#include "platform/exclusive_file.h"
#include "platform/file_system.h"

namespace tarnwick {
namespace {

constexpr int kPackNameSlot = 13;
constexpr int kPackFolderSlot = 15;

}  // namespace

Form1::Handling::~Handling() {
  if (--form_.handling_ == 0 && std::exchange(form_.importsDeferred_, false)) {
    ::PostMessageW(form_.hwnd_, kImportsWaiting, 0, 0);
  }
}

void Form1::queueImports(std::vector<std::wstring> paths) {
  if (paths.empty()) return;
  importQueue_.insert(importQueue_.end(), std::make_move_iterator(paths.begin()), std::make_move_iterator(paths.end()));
  ::PostMessageW(hwnd_, kImportsWaiting, 0, 0);
}

void Form1::importQueued() {
  // Posted, but handled inside another handler's message loop: it comes again after.
  if (handling_ > 1) {
    importsDeferred_ = true;
    return;
  }
  std::vector<std::wstring> reports;
  std::vector<std::wstring> missing;
  std::optional<std::wstring> made;
  {
    std::optional<BusyWindow> busyWindow;
    while (!importQueue_.empty()) {
      const std::wstring source = std::move(importQueue_.front());
      importQueue_.pop_front();
      if (!pathExists(source)) {
        missing.push_back(source);
        continue;
      }
      if (auto refusal = gameFolderForImport()) {
        reports.push_back(std::move(*refusal));
        importQueue_.clear();
        break;
      }
      if (!busyWindow) {
        busyWindow.emplace(hwnd_, std::vector<HWND>{Command(1), Command(2), Command(3), Command(4), combo1_});
      }
      const ImportOutcome outcome =
          importPack({source, gameDir_, {}, busyWindow->progressOfUnknownAll(texts::kUnpacking)});
      reports.push_back(importReport(source, outcome));
      if (!outcome.packs.empty()) made = outcome.packs.back().name;
    }
  }
  if (!missing.empty()) reports.insert(reports.begin(), texts::sourcesNotFound(texts::listedLines(missing)));
  if (made) {
    ReFreshPath(packFolderOf(gameDir_));
    choosePack(*made);
  }
  inform(joinedParagraphs(reports));
}

std::optional<std::wstring> Form1::gameFolderForImport() {
  if (gameFolderLock_) return std::nullopt;
  if (gameDir_ == kUnknownMark) return texts::kNoGameFolderToImportInto;
  if (const DWORD error = makePackFolder(gameDir_)) {
    return texts::packFolderNotMade(packFolderOf(gameDir_), systemErrorText(error));
  }
  // The program started without a pack folder, and so without the lock: it takes it now.
  UniqueFile lock = holdExclusively(programLockOf(gameDir_), lockError_);
  if (!lock) {
    if (isHeldElsewhere(lockError_)) return texts::importManagedElsewhere(gameDir_);
    return texts::gameFolderNotLocked(programLockOf(gameDir_), systemErrorText(lockError_));
  }
  gameFolderLock_ = std::move(lock);
  // Another program may have managed the game folder in between: what it recorded, or
  // left half-done, is taken up as at start-up.
  removeUnfinishedImports(gameDir_);
  setListBoxItems(list1_, {});
  setCaption(kPackNameSlot, std::wstring(kUnknownMark));
  setCaption(kPackFolderSlot, std::wstring(kUnknownMark));
  LoadCofg(recordFileOf(gameDir_));
  return std::nullopt;
}

void Form1::choosePack(const std::wstring& name) {
  const int index = ComboBox_FindStringExact(combo1_, -1, name.c_str());
  if (index == CB_ERR) return;
  ComboBox_SetCurSel(combo1_, index);
  Combo1_Click();
}

}  // namespace tarnwick
