#pragma once
#include <string>
#include <vector>

#include "packs/file_problem.h"
#include "packs/progress.h"

namespace tarnwick {

struct RemovalOutcome {
  std::vector<std::wstring> remaining;  // the installed-file list afterwards, in list order
  std::vector<FileProblem> problems;    // each thing that went wrong, in the order it did
  // A listed file is still in the game folder because it couldn't or mustn't be taken
  // out, or a kept original couldn't be put back.
  bool filesLeftBehind = false;
};

// Writes the journal of the removal (see journal_file.h), then takes the listed files out
// of the game folder, from the last to the first: a file of the game's own that was kept
// comes back in its place, the string table is replaced by its pristine copy, any other
// is deleted. Names that could reach outside the game folder, folders and files that
// can't be deleted stay listed and are reported; a listed file that is already gone stays
// listed. Then the string table is restored from its pristine copy; without that copy,
// the string table (even a pack's) is left as it is. The caller writes the record, then
// drops the journal.
[[nodiscard]] RemovalOutcome removePack(const std::wstring& gameDir, const std::vector<std::wstring>& listed,
                          const Progress& progress = {});

}  // namespace tarnwick
