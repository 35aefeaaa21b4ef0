#pragma once
#include <string>
#include <vector>

namespace tarnwick {

struct RemovalOutcome {
  std::vector<std::wstring> remaining;  // the installed-file list afterwards, in list order
  std::vector<std::wstring> problems;   // one line for each thing that went wrong
  // A listed file is still in the game folder because it couldn't or mustn't be taken out.
  bool filesLeftBehind = false;
};

// Takes the listed files out of the game folder, from the last to the first: a file of
// the game's own that was kept comes back in its place, any other is deleted. Names that
// could reach outside the game folder, folders and files that can't be deleted stay
// listed and are reported; a listed file that is already gone stays listed. Then the
// string table is restored from its pristine copy; without that copy, the string table
// (even a pack's) is left as it is.
RemovalOutcome removePack(const std::wstring& gameDir, const std::vector<std::wstring>& listed);

// The one message that tells of all a removal's problems; empty when there were none.
std::wstring removalReport(const RemovalOutcome& outcome);

}  // namespace tarnwick
