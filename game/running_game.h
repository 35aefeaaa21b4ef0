#pragma once
#include <optional>
#include <string>
#include <vector>

namespace tarnwick {

// The first of `programs` (full paths of program files) that a running process was
// started from, compared by full path ignoring case; nothing when none runs. Entries that
// are empty or the unknown mark are passed over. Processes whose path can't be asked for
// (other users', protected ones) count as not the game.
std::optional<std::wstring> firstRunningProgram(const std::vector<std::wstring>& programs);

// The message refusing to change the game folder while `program` runs.
std::wstring gameRunningMessage(const std::wstring& program);

}  // namespace tarnwick
