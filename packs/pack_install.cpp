#include "packs/pack_install.h"

#include <windows.h>

#include <algorithm>

#include "packs/game_folder_layout.h"
#include "packs/kept_originals.h"
#include "packs/listed_name.h"
#include "platform/code_page.h"
#include "platform/error_text.h"
#include "platform/file_operations.h"
#include "platform/file_system.h"

namespace tarnwick {
namespace {

bool listed(const std::vector<std::wstring>& names, const std::wstring& name) {
  return std::any_of(names.begin(), names.end(), [&](const std::wstring& item) { return sameFileName(item, name); });
}

// Whether the file a pack is about to replace is one of the game's own, to be kept.
bool isGamesOwnFile(const std::wstring& target, const std::wstring& name, const PackInstall& install) {
  if (sameFileName(name, kStringTableName) || listed(install.installedFiles, name)) return false;
  return pathExists(target) && !isFolder(target);
}

std::optional<std::wstring> installFile(const PackInstall& install, const std::wstring& name,
                                        KeptOriginals& originals) {
  const std::wstring target = install.gameDir + L"\\" + name;
  PendingReplacement replacement(target);
  if (const DWORD error = replacement.copyFrom(install.packFolder + L"\\" + name, Durability::Cached)) {
    return L"无法复制 " + name + L"：" + systemErrorText(error);
  }
  bool keptNow = false;
  if (isGamesOwnFile(target, name, install) && !originals.holds(name)) {
    if (const DWORD error = originals.keep(target, name)) {
      return L"无法备份游戏原有的 " + name + L"（到 " + originals.folder() + L"）：" + systemErrorText(error) +
             L"\r\n该文件未被改动。";
    }
    keptNow = true;
  }
  if (const DWORD error = replacement.commit()) {
    if (keptNow) originals.forget(name);
    return L"无法复制 " + name + L"：" + systemErrorText(error);
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::wstring> refusalOfPack(const std::wstring& packFolder, const std::wstring& packName,
                                          const std::vector<std::wstring>& files) {
  const std::wstring unrecordable = L"”含有本机代码页（" + std::to_wstring(::GetACP()) +
                                    L"）无法记录的字符，无法复制此地图包。未复制任何文件。";
  if (!toAnsiExactly(packFolder)) return L"地图包的文件夹“" + packFolder + unrecordable;
  if (!toAnsiExactly(packName)) return L"地图包的名称“" + packName + unrecordable;
  for (const auto& name : files) {
    if (!isPlainFileName(name)) return L"地图包中的“" + name + L"”不能作为游戏目录中的文件名，无法复制此地图包。未复制任何文件。";
    if (!toAnsiExactly(name)) return L"地图包中的文件名“" + name + unrecordable;
  }
  return std::nullopt;
}

InstallOutcome installPack(const PackInstall& install) {
  KeptOriginals originals(packFolderOf(install.gameDir));
  InstallOutcome outcome;
  for (const auto& name : install.files) {
    if (auto failure = installFile(install, name, originals)) {
      outcome.failure = std::move(*failure);
      break;
    }
    outcome.copied.push_back(name);
  }
  if (outcome.failure) {
    const std::wstring copied = outcome.copied.empty()
                                    ? std::wstring(L"未复制任何文件。")
                                    : L"已复制的 " + std::to_wstring(outcome.copied.size()) +
                                          L" 个文件已记录，可用“移除地图包”移除。";
    *outcome.failure = L"复制地图包中止。" + *outcome.failure + L"\r\n" + copied;
  }
  return outcome;
}

}  // namespace tarnwick
