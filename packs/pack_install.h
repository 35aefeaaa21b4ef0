#pragma once
#include <optional>
#include <string>
#include <vector>

#include "packs/file_problem.h"
#include "packs/progress.h"

namespace tarnwick {

struct PackInstall {
  std::wstring packFolder;
  std::wstring packName;
  std::wstring gameDir;
  std::vector<std::wstring> files;  // the pack's file names, in the order to copy them
  Progress progress;
};

struct InstallOutcome {
  std::vector<std::wstring> copied;      // the names copied, in order
  std::vector<std::wstring> setAside;    // the new paths of older kept files set aside
  std::optional<FileProblem> failure;    // why the install stopped
};

// Why a pack can't be installed, and the folder, pack name or file name it is about.
struct PackRefusal {
  enum class Reason { FolderUnrecordable, NameUnrecordable, FileNameUnusable, FileNameUnrecordable };
  Reason reason;
  std::wstring name;
};

// Why a pack can't be installed faithfully, before anything is copied: a name that the
// record can't hold in the ANSI code page (it would come back as another name and its
// file could never be removed), one that doesn't name a file right in the game folder,
// one the program uses for its own files there, or one alike but for case to another.
[[nodiscard]] std::optional<PackRefusal> refusalOfPack(const std::wstring& packFolder, const std::wstring& packName,
                                                       const std::vector<std::wstring>& files);

// Sets aside the older kept files of the pack's names that nothing accounts for (see
// KeptOriginals::setAside) and stops when one can't be; writes the journal of the
// install (see journal_file.h), then copies the pack's files
// into the game folder one by one and stops at the first that fails. A file that
// replaces another is staged in a temporary file and moved over it; before a file of the
// game's own is replaced, it is kept (see KeptOriginals); the string table, which has its
// pristine copy in the pack folder, is not. The caller writes the record, then drops the
// journal.
[[nodiscard]] InstallOutcome installPack(const PackInstall& install);

}  // namespace tarnwick
