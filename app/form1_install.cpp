#include "app/form1.h"

// Installing and removing packs, and the installed-pack record.
//
// Every install and removal writes its journal before it touches the game folder, then
// the record of what it left installed, then drops the journal; the record is written at
// close as well. A crash at any moment leaves a journal that the next start finishes (see
// interrupted_operation.h) before the record is shown.
// Slots 13 and 15 keep naming a pack while files of it that the program put there are
// still in the game folder: an install that stops half-way sets them once one file was
// copied (and changes nothing when none was), and a removal that has to leave a listed
// file in place leaves them as they were; files already gone don't count. The record is
// always written from the slots and List1, so it says the same after any failure.
// Installing while a pack is in use takes that pack out first, so no file of it stays
// behind unlisted; when that leaves anything in place, nothing of the new pack is copied.

#include "app/busy_window.h"
#include "app/messages.h"
#include "app/texts.h"
#include "game/running_game.h"
#include "packs/game_folder_layout.h"
#include "packs/interrupted_operation.h"
#include "packs/journal_file.h"
#include "packs/pack_install.h"
#include "packs/pack_removal.h"
#include "packs/record_file.h"
#include "packs/unknown_mark.h"
#include "platform/control_contents.h"
#include "platform/file_system.h"

namespace tarnwick {
namespace {

constexpr int kGameProgramSlot = 2;
constexpr int kExpansionProgramSlot = 9;
constexpr int kPackNameSlot = 13;
constexpr int kPackFolderSlot = 15;

// Writes the record of what the window holds.
std::optional<FileProblem> saveWindowRecord(const Form1& form) {
  return saveRecord(form.GameDir(), form.caption(kPackFolderSlot), form.caption(kPackNameSlot),
                    listBoxItems(form.List1()));
}

// The same, at the end of an operation: once it is written, the operation's journal has
// done its work. The message when it can't be written, or nothing.
std::wstring commitWindowRecord(const Form1& form) {
  const auto failure = saveWindowRecord(form);
  if (!failure) {
    dropJournal(form.GameDir());
    return {};
  }
  return problemText(*failure);
}

// Why nothing may be touched: the record couldn't be written, and after the operation
// nothing would remember what it left installed. Writing the record as it stands tries
// every step a record write takes.
std::optional<std::wstring> unwritableRecord(const Form1& form) {
  const auto failure = saveWindowRecord(form);
  if (!failure) return std::nullopt;
  return problemText(*failure) + texts::kNothingTouched;
}

// The game's programs as the window shows them, unless unknown.
std::optional<std::wstring> runningGame(const Form1& form) {
  std::vector<std::wstring> programs;
  for (const int slot : {kGameProgramSlot, kExpansionProgramSlot}) {
    std::wstring program = form.caption(slot);
    if (program != kUnknownMark) programs.push_back(std::move(program));
  }
  return firstRunningProgram(programs);
}

struct TakenOut {
  std::wstring report;
  bool leftBehind = false;
};

// The window while an operation runs: the buttons and the pack combo wait for it.
BusyWindow busy(const Form1& form) {
  return BusyWindow(form.hwnd(), {form.Command(1), form.Command(2), form.Command(3), form.Command(4), form.Combo1()});
}

// Removes the pack in use and shows and records what is still installed.
TakenOut takeOutInstalledPack(Form1& form, BusyWindow& busyWindow) {
  const RemovalOutcome outcome =
      removePack(form.GameDir(), listBoxItems(form.List1()), busyWindow.progress(texts::kRemoving));
  setListBoxItems(form.List1(), outcome.remaining);
  if (!outcome.filesLeftBehind) {
    form.setCaption(kPackFolderSlot, std::wstring(kUnknownMark));
    form.setCaption(kPackNameSlot, std::wstring(kUnknownMark));
  }
  return {joinedMessages(removalReport(outcome), commitWindowRecord(form)), outcome.filesLeftBehind};
}

// Takes the pack in use out first where there is one, then installs; shows and records
// what is installed. The message to show, or nothing.
std::wstring switchAndInstall(Form1& form, bool packInUse, PackInstall install) {
  BusyWindow busyWindow = busy(form);
  std::wstring report;
  if (packInUse) {
    TakenOut takenOut = takeOutInstalledPack(form, busyWindow);
    if (takenOut.leftBehind) return joinedMessages(std::move(takenOut.report), texts::switchStopped(install.packName));
    report = std::move(takenOut.report);
  }
  install.progress = busyWindow.progress(texts::kInstalling);
  const InstallOutcome outcome = installPack(install);
  if (!outcome.copied.empty() || !outcome.failure) {
    setListBoxItems(form.List1(), outcome.copied);
    form.setCaption(kPackNameSlot, install.packName);
    form.setCaption(kPackFolderSlot, install.packFolder);
  }
  return joinedMessages(joinedMessages(std::move(report), installReport(outcome)), commitWindowRecord(form));
}

}  // namespace

void Form1::LoadCofg(const std::wstring& sPath) {
  InstalledRecord record;
  // Finishing an interrupted operation changes the game folder: only with its lock.
  if (gameFolderLock_ && sameFileName(sPath, recordFileOf(gameDir_))) {
    RecoveredRecord recovered = readRecordFinishingInterruptedOperation(gameDir_);
    if (recovered.failure) inform(problemText(*recovered.failure));
    record = std::move(recovered.record);
  } else {
    record = readRecordFile(sPath);
  }
  if (record.packPath) setCaption(kPackFolderSlot, *record.packPath);
  if (record.packName) setCaption(kPackNameSlot, *record.packName);
  appendListBoxItems(list1_, record.files);
}

void Form1::Form_Unload() {
  // Without the game folder's lock the record is another program's, or nobody's.
  if (gameFolderLock_) inform(commitWindowRecord(*this));
}

void Form1::Command3_Click() {
  if (!mayChangeGameFolder()) return;
  const int chosen = comboSelection(combo1_);
  if (chosen < 0 || file2_.count() == 0) {
    inform(texts::kChoosePack);
    return;
  }
  if (auto game = runningGame(*this)) {
    inform(texts::gameRunning(*game));
    return;
  }
  const std::wstring folder = dir1_.item(chosen);
  const std::wstring packName = controlText(combo1_);
  if (const auto refusal = refusalOfPack(folder, packName, file3_.names())) {
    inform(refusalText(*refusal));
    return;
  }
  if (auto failure = unwritableRecord(*this)) {
    inform(*failure);
    return;
  }

  // Another pack in use is taken out after asking. The same pack again is taken out
  // without asking, so a file that left its folder doesn't stay behind; so are names left
  // listed without a pack (files that were already gone at a removal).
  const bool packInUse = ::SendMessageW(list1_, LB_GETCOUNT, 0, 0) > 0;
  const std::wstring inUse = caption(kPackFolderSlot);
  if (packInUse && inUse != kUnknownMark && !samePath(folder, inUse) &&
      !ask(texts::switchQuestion(caption(kPackNameSlot), packName))) {
    return;
  }
  inform(switchAndInstall(*this, packInUse, {folder, packName, gameDir_, file3_.names(), {}}));
}

void Form1::Command4_Click() {
  if (::SendMessageW(list1_, LB_GETCOUNT, 0, 0) <= 0 || !mayChangeGameFolder()) return;
  if (auto game = runningGame(*this)) {
    inform(texts::gameRunning(*game));
    return;
  }
  if (auto failure = unwritableRecord(*this)) {
    inform(*failure);
    return;
  }
  std::wstring report;
  {
    BusyWindow busyWindow = busy(*this);
    report = takeOutInstalledPack(*this, busyWindow).report;
  }
  inform(report);
}

}  // namespace tarnwick
