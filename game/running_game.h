#pragma once
#include <optional>
#include <string>
#include <vector>

namespace tarnwick {

// The first of `programs` (full paths of program files) that a running process was
// started from, compared by full path ignoring case; nothing when none runs. Empty
// entries are passed over. Processes whose path can't be asked for (other users',
// protected ones) count as not the game.
[[nodiscard]] std::optional<std::wstring> firstRunningProgram(const std::vector<std::wstring>& programs);

}  // namespace tarnwick
