#include "game/launch.h"

#include "platform/shell.h"

namespace tarnwick {

std::optional<std::wstring> launchGame(const std::wstring& program, const std::wstring& gameDir) {
  auto failure = shellOpen(program, gameDir);
  if (!failure) return std::nullopt;
  return L"无法启动游戏：" + program + L"\r\n" + *failure;
}

}  // namespace tarnwick
