#pragma once
#include <optional>
#include <string>
#include <vector>

namespace tarnwick {

struct PackInstall {
  std::wstring packFolder;
  std::wstring gameDir;
  std::vector<std::wstring> files;           // the pack's file names, in the order to copy them
  std::vector<std::wstring> installedFiles;  // the files of the pack installed so far
};

struct InstallOutcome {
  std::vector<std::wstring> copied;      // the names copied, in order
  std::optional<std::wstring> failure;   // why the install stopped, naming the file
};

// Why a pack can't be installed faithfully, before anything is copied: a name that the
// record can't hold in the ANSI code page (it would come back as another name and its
// file could never be removed), or one that doesn't name a file right in the game folder.
std::optional<std::wstring> refusalOfPack(const std::wstring& packFolder, const std::wstring& packName,
                                          const std::vector<std::wstring>& files);

// Copies the pack's files into the game folder one by one, each through a temporary file
// that is moved over the target, and stops at the first that fails. Before a file of the
// game's own is replaced, it is kept (see KeptOriginals); the files of the pack installed
// so far and the string table, which has its pristine copy in the pack folder, are not.
InstallOutcome installPack(const PackInstall& install);

}  // namespace tarnwick
