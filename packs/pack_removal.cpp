#include "packs/pack_removal.h"

#include <windows.h>

#include "app/texts.h"
#include "packs/game_folder_layout.h"
#include "packs/kept_originals.h"
#include "packs/listed_name.h"
#include "platform/error_text.h"
#include "platform/file_operations.h"
#include "platform/file_system.h"

namespace tarnwick {
namespace {

class Removal {
 public:
  Removal(const std::wstring& gameDir, const std::vector<std::wstring>& listed)
      : gameDir_(gameDir), originals_(packFolderOf(gameDir)), pristineTable_(pristineStringTableOf(gameDir)) {
    outcome_.remaining = listed;
    hasPristineTable_ = pathExists(pristineTable_) && !isFolder(pristineTable_);
  }

  RemovalOutcome run() {
    for (size_t i = outcome_.remaining.size(); i-- > 0;) {
      if (takeOut(outcome_.remaining[i])) outcome_.remaining.erase(outcome_.remaining.begin() + static_cast<std::ptrdiff_t>(i));
    }
    restoreStringTable();
    return std::move(outcome_);
  }

 private:
  // Whether the name's file is out of the game folder, so the name leaves the list.
  bool takeOut(const std::wstring& name) {
    if (!isPlainFileName(name)) return leftBehind(L"“" + name + L"”不是游戏目录中的文件名，未删除。");
    const std::wstring target = gameDir_ + L"\\" + name;
    if (!pathExists(target)) return putBackWhereGone(name, target);
    if (isFolder(target)) return leftBehind(L"“" + name + L"”是文件夹，未删除。");
    if (!hasPristineTable_ && sameFileName(name, kStringTableName)) {
      // Deleting it would leave the game without any string table.
      outcome_.filesLeftBehind = true;
      return false;
    }
    if (originals_.holds(name)) {
      if (const DWORD error = originals_.putBack(name, target)) {
        return leftBehind(L"无法用游戏原有的 " + name + L" 替换地图包的文件：" + systemErrorText(error) +
                          L"\r\n原文件仍保存在 " + originals_.pathOf(name));
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
      outcome_.problems.push_back(L"无法放回游戏原有的 " + name + L"：" + systemErrorText(error) +
                                  L"\r\n原文件仍保存在 " + originals_.pathOf(name));
      return false;
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
  KeptOriginals originals_;
  std::wstring pristineTable_;
  bool hasPristineTable_ = false;
  RemovalOutcome outcome_;
};

}  // namespace

RemovalOutcome removePack(const std::wstring& gameDir, const std::vector<std::wstring>& listed) {
  return Removal(gameDir, listed).run();
}

std::wstring removalReport(const RemovalOutcome& outcome) {
  if (outcome.problems.empty()) return {};
  return L"移除地图包时出现以下问题：" + texts::listedLines(outcome.problems);
}

}  // namespace tarnwick
