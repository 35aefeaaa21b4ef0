#include "game/launch.h"

#include "platform/shell.h"

namespace tarnwick {

DWORD launchGame(const std::wstring& program, const std::wstring& gameDir) { return shellOpen(program, gameDir); }

}  // namespace tarnwick
