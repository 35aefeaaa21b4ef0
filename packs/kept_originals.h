#pragma once
#include <windows.h>

#include <string>

#include "packs/folder_snapshot.h"

namespace tarnwick {

// The game's own files that a pack's file replaced, kept under their own names in a
// folder inside the pack folder until the removal puts them back. The folder is hidden
// and a system folder, so the pack scan never offers it as a pack; what lies in it is
// the whole record of what is kept, and it outlives the program's runs. The journal of
// the operation under way lies in it too, and is no kept file.
class KeptOriginals {
 public:
  // Reads what the folder holds once: asking for each name on its own costs a scan of
  // the whole pack folder per name where the folder doesn't exist (Wine then looks for
  // it ignoring case).
  explicit KeptOriginals(const std::wstring& gameDir);

  [[nodiscard]] const std::wstring& folder() const { return folder_; }
  [[nodiscard]] std::wstring pathOf(const std::wstring& name) const { return folder_ + L"\\" + name; }
  [[nodiscard]] bool holds(const std::wstring& name) const;

  // Copies the game's file `gameFile` in under `name`. NO_ERROR or the system's error;
  // on failure nothing is kept and the game's file is untouched.
  [[nodiscard]] DWORD keep(const std::wstring& gameFile, const std::wstring& name);
  // Drops a copy kept a moment ago, when the replacement it was kept for didn't happen.
  void forget(const std::wstring& name);
  // Moves an older kept file of `name`, one that nothing accounts for (left by a crash of
  // another tool, a hand edit or a program that ran without the lock), out of the way in
  // the folder, under a name of its own: "<name>.<stamp>.older", or with "-2", "-3"... before
  // ".older" where that is taken. It is never put back or deleted. Its new path, or the
  // system's error with the file left where it was.
  struct SetAside {
    std::wstring path;
    DWORD error = NO_ERROR;
  };
  [[nodiscard]] SetAside setAside(const std::wstring& name, const std::wstring& stamp);
  // Moves the kept file back over (or to) `gameFile`. NO_ERROR or the system's error; on
  // failure the kept file stays where it is.
  [[nodiscard]] DWORD putBack(const std::wstring& name, const std::wstring& gameFile);

 private:
  std::wstring folder_;
  FolderSnapshot kept_;
};

}  // namespace tarnwick
