#include "packs/pack_removal.h"

#include <windows.h>

#include "packs/folder_snapshot.h"
#include "packs/game_folder_layout.h"
#include "packs/journal_file.h"
#include "packs/kept_originals.h"
#include "platform/plain_file_name.h"
#include "platform/file_operations.h"
#include "platform/file_system.h"

namespace tarnwick {
namespace {

class Removal {
  using Kind = FileProblem::Kind;

 public:
  Removal(std::wstring gameDir, const std::vector<std::wstring>& listed, Progress progress)
      : gameDir_(std::move(gameDir)),
        progress_(std::move(progress)),
        game_(gameDir_),
        originals_(gameDir_),
        pristineTable_(pristineStringTableOf(gameDir_)) {
    outcome_.remaining = listed;
    hasPristineTable_ = pathExists(pristineTable_) && !isFolder(pristineTable_);
  }

  RemovalOutcome run() {
    if (const DWORD error = writeJournal(gameDir_, journal())) {
      outcome_.problems.push_back({Kind::JournalUnwritable, journalFileOf(gameDir_), {}, error});
      outcome_.filesLeftBehind = true;
      return std::move(outcome_);
    }
    auto& remaining = outcome_.remaining;
    const size_t all = remaining.size();
    for (size_t i = all; i-- > 0;) {
      if (takeOut(remaining[i])) remaining.erase(remaining.begin() + static_cast<std::ptrdiff_t>(i));
      if (progress_) progress_(all - i, all);
    }
    if (!tableRestored_) restoreStringTable();
    return std::move(outcome_);
  }

 private:
  // The names this removal will put back or delete: a crash part-way leaves each either
  // done (its kept original is gone, or its file) or not, and the next start tells which.
  Journal journal() const {
    Journal journal{JournalOperation::Removal, {}, {}, {}};
    for (const auto& name : outcome_.remaining) {
      if (!isPlainFileName(name)) continue;
      if (originals_.holds(name)) {
        journal.entries.push_back({name, true});
      } else if (game_.hasFile(name) && (hasPristineTable_ || !sameFileName(name, kStringTableName))) {
        journal.entries.push_back({name, false});
      }
    }
    return journal;
  }

  // Whether the name's file is out of the game folder, so the name leaves the list.
  bool takeOut(const std::wstring& name) {
    if (!isPlainFileName(name)) return leftBehind({Kind::NotAGameFileName, name, {}, NO_ERROR});
    const std::wstring target = gameDir_ + L"\\" + name;
    if (!game_.hasEntry(name)) return putBackWhereGone(name, target);
    if (game_.hasFolder(name)) return leftBehind({Kind::IsAFolder, name, {}, NO_ERROR});
    if (originals_.holds(name)) {
      if (const DWORD error = originals_.putBack(name, target)) {
        return leftBehind({Kind::OriginalNotSwappedBack, name, originals_.pathOf(name), error});
      }
      return true;
    }
    if (sameFileName(name, kStringTableName)) {
      // Replaced by its pristine copy in one step, never deleted: the game is never
      // without a string table, not even for a moment.
      if (!hasPristineTable_) {
        outcome_.filesLeftBehind = true;
        return false;
      }
      tableRestored_ = true;
      if (const DWORD error = copyFileReplacing(pristineTable_, target)) {
        return leftBehind({Kind::StringTableNotRestored, target, {}, error});
      }
      return true;
    }
    if (const DWORD error = deleteFileClearingReadOnly(target)) {
      return leftBehind({Kind::NotDeleted, name, {}, error});
    }
    return true;
  }

  // Someone deleted the pack's file already. Its name stays listed, unless the game's own
  // file is kept: then that comes back, and the name no longer stands for a pack's file.
  bool putBackWhereGone(const std::wstring& name, const std::wstring& target) {
    if (!originals_.holds(name)) return false;
    if (const DWORD error = originals_.putBack(name, target)) {
      return leftBehind({Kind::OriginalNotPutBack, name, originals_.pathOf(name), error});
    }
    return true;
  }

  bool leftBehind(FileProblem problem) {
    outcome_.problems.push_back(std::move(problem));
    outcome_.filesLeftBehind = true;
    return false;
  }

  void restoreStringTable() {
    const std::wstring table = gameDir_ + L"\\" + std::wstring(kStringTableName);
    if (!hasPristineTable_) {
      outcome_.problems.push_back({Kind::NoPristineStringTable, pristineTable_, table, NO_ERROR});
      return;
    }
    if (const DWORD error = copyFileReplacing(pristineTable_, table)) {
      outcome_.problems.push_back({Kind::StringTableNotRestored, table, {}, error});
    }
  }

  std::wstring gameDir_;
  Progress progress_;
  FolderSnapshot game_;
  KeptOriginals originals_;
  std::wstring pristineTable_;
  bool hasPristineTable_ = false;
  bool tableRestored_ = false;
  RemovalOutcome outcome_;
};

}  // namespace

RemovalOutcome removePack(const std::wstring& gameDir, const std::vector<std::wstring>& listed,
                          const Progress& progress) {
  return Removal(gameDir, listed, progress).run();
}

}  // namespace tarnwick
