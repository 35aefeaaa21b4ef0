#include "game/launch.h"

#include "platform/error_text.h"
#include "platform/shell.h"

namespace tarnwick {

DWORD launchGame(const std::wstring& program, const std::wstring& gameDir) {
  // Only a file is started: the shell would open a folder in a file browser, and call
  // that a success.
  const DWORD attributes = ::GetFileAttributesW(program.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return lastErrorOr(ERROR_FILE_NOT_FOUND);
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return kProgramIsAFolder;
  return shellOpen(program, gameDir);
}

}  // namespace tarnwick
