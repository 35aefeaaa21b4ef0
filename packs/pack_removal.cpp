#include "packs/pack_removal.h"

#include <windows.h>

#include "app/texts.h"
#include "packs/folder_snapshot.h"
#include "packs/game_folder_layout.h"
#include "packs/journal_file.h"
#include "packs/kept_originals.h"
#include "packs/listed_name.h"
#include "platform/error_text.h"
#include "platform/file_operations.h"
#include "platform/file_system.h"

namespace tarnwick {
namespace {

class Removal {
 public:
  Removal(const std::wstring& gameDir, const std::vector<std::wstring>& listed, const Progress& progress)
      : gameDir_(gameDir), progress_(progress), game_(gameDir), originals_(gameDir), pristineTable_(pristineStringTableOf(gameDir)) {
    outcome_.remaining = listed;
    hasPristineTable_ = pathExists(pristineTable_) && !isFolder(pristineTable_);
  }

  RemovalOutcome run() {
    if (const DWORD error = writeJournal(gameDir_, journal())) {
      outcome_.problems.push_back(journalFailure(gameDir_, error));
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
    if (!isPlainFileName(name)) return leftBehind(L"“" + name + L"”不是游戏目录中的文件名，未删除。");
    const std::wstring target = gameDir_ + L"\\" + name;
    if (!game_.hasEntry(name)) return putBackWhereGone(name, target);
    if (game_.hasFolder(name)) return leftBehind(L"“" + name + L"”是文件夹，未删除。");
    if (originals_.holds(name)) {
      if (const DWORD error = originals_.putBack(name, target)) {
        return leftBehind(L"无法用游戏原有的 " + name + L" 替换地图包的文件：" + systemErrorText(error) +
                          L"\r\n原文件仍保存在 " + originals_.pathOf(name));
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
        return leftBehind(L"无法恢复 " + target + L"：" + systemErrorText(error));
      }
      return true;
    }
    if (const DWORD error = deleteFileClearingReadOnly(target)) {
      return leftBehind(L"无法删除 " + name + L"：" + systemErrorText(error));
    }
    return true;
  }

  // Someone deleted the pack's file already. Its name stays listed, unless the game's own
  // file is kept: then that comes back, and the name no longer stands for a pack's file.
  bool putBackWhereGone(const std::wstring& name, const std::wstring& target) {
    if (!originals_.holds(name)) return false;
    if (const DWORD error = originals_.putBack(name, target)) {
      return leftBehind(L"无法放回游戏原有的 " + name + L"：" + systemErrorText(error) + L"\r\n原文件仍保存在 " +
                        originals_.pathOf(name));
    }
    return true;
  }

  bool leftBehind(std::wstring problem) {
    outcome_.problems.push_back(std::move(problem));
    outcome_.filesLeftBehind = true;
    return false;
  }

  void restoreStringTable() {
    const std::wstring table = gameDir_ + L"\\" + std::wstring(kStringTableName);
    if (!hasPristineTable_) {
      outcome_.problems.push_back(L"找不到原版字符串表 " + pristineTable_ + L"，" + table + L" 保持原样。");
      return;
    }
    if (const DWORD error = copyFileReplacing(pristineTable_, table)) {
      outcome_.problems.push_back(L"无法恢复 " + table + L"：" + systemErrorText(error));
    }
  }

  const std::wstring& gameDir_;
  const Progress& progress_;
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

std::wstring removalReport(const RemovalOutcome& outcome) {
  if (outcome.problems.empty()) return {};
  return L"移除地图包时出现以下问题：" + texts::listedLines(outcome.problems);
}

}  // namespace tarnwick
