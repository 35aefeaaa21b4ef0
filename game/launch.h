#pragma once
#include <optional>
#include <string>

namespace tarnwick {

// Starts the expansion's program in the game directory, without arguments and
// without waiting for it. Nothing on success; the message to show when the
// system can't start it.
std::optional<std::wstring> launchGame(const std::wstring& program, const std::wstring& gameDir);

}  // namespace tarnwick
