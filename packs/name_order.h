#pragma once
#include <string>
#include <vector>

namespace tarnwick {

// Sorts names the way every listing of the program orders them: by name, ignoring
// case, in the user's language (so the pack list and the folder list always agree);
// names equal but for case keep a fixed order.
void sortNames(std::vector<std::wstring>& names);

}  // namespace tarnwick
