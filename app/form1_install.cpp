#include "app/form1.h"

// Installing and removing packs, and the installed-pack record.
//
// The record is written after every install and removal as well as at close, so a
// crash in between never forgets which files a pack put into the game folder.
// Slots 13 and 15 keep naming a pack while files of it that the program put there are
// still in the game folder: an install that stops half-way sets them once one file was
// copied (and changes nothing when none was), and a removal that has to leave a listed
// file in place leaves them as they were; files already gone don't count. The record is
// always written from the slots and List1, so it says the same after any failure.

#include "app/texts.h"
#include "game/running_game.h"
#include "packs/pack_install.h"
#include "packs/pack_removal.h"
#include "packs/record_file.h"
#include "packs/unknown_mark.h"
#include "platform/control_contents.h"

namespace tarnwick {
namespace {

constexpr int kGameProgramSlot = 2;
constexpr int kExpansionProgramSlot = 9;
constexpr int kPackNameSlot = 13;
constexpr int kPackFolderSlot = 15;

// Messages of one operation, shown together in one box.
std::wstring joined(std::wstring first, const std::optional<std::wstring>& second) {
  if (!second) return first;
  return first.empty() ? *second : first + L"\r\n\r\n" + *second;
}

// Writes the record of what the window holds.
std::optional<std::wstring> saveWindowRecord(const Form1& form) {
  return saveRecord(form.GameDir(), form.caption(kPackFolderSlot), form.caption(kPackNameSlot),
                    listBoxItems(form.List1()));
}

std::optional<std::wstring> runningGame(const Form1& form) {
  return firstRunningProgram({form.caption(kGameProgramSlot), form.caption(kExpansionProgramSlot)});
}

}  // namespace

void Form1::LoadCofg(const std::wstring& sPath) {
  const InstalledRecord record = readRecordFile(sPath);
  if (record.packPath) setCaption(kPackFolderSlot, *record.packPath);
  if (record.packName) setCaption(kPackNameSlot, *record.packName);
  appendListBoxItems(list1_, record.files);
}

void Form1::Form_Unload() {
  if (auto failure = saveWindowRecord(*this)) inform(*failure);
}

void Form1::Command3_Click() {
  const int chosen = comboSelection(combo1_);
  if (chosen < 0 || file2_.count() == 0) {
    inform(texts::kChoosePack);
    return;
  }
  if (auto game = runningGame(*this)) {
    inform(gameRunningMessage(*game));
    return;
  }
  const std::wstring folder = dir1_.item(chosen);
  const std::wstring packName = controlText(combo1_);
  if (auto refusal = refusalOfPack(folder, packName, file3_.names())) {
    inform(*refusal);
    return;
  }

  const InstallOutcome outcome = installPack({folder, gameDir_, file3_.names(), listBoxItems(list1_)});
  if (!outcome.copied.empty() || !outcome.failure) {
    setListBoxItems(list1_, outcome.copied);
    setCaption(kPackNameSlot, packName);
    setCaption(kPackFolderSlot, folder);
  }
  const std::wstring report = joined(outcome.failure.value_or(L""), saveWindowRecord(*this));
  if (!report.empty()) inform(report);
}

void Form1::Command4_Click() {
  const std::vector<std::wstring> listed = listBoxItems(list1_);
  if (listed.empty()) return;
  if (auto game = runningGame(*this)) {
    inform(gameRunningMessage(*game));
    return;
  }
  const RemovalOutcome outcome = removePack(gameDir_, listed);
  setListBoxItems(list1_, outcome.remaining);
  if (!outcome.filesLeftBehind) {
    setCaption(kPackFolderSlot, std::wstring(kUnknownMark));
    setCaption(kPackNameSlot, std::wstring(kUnknownMark));
  }
  const std::wstring report = joined(removalReport(outcome), saveWindowRecord(*this));
  if (!report.empty()) inform(report);
}

}  // namespace tarnwick
