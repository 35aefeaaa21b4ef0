#include "platform/shell.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/com_init.h"
#include "platform/error_text.h"
#include "platform/system_library.h"

namespace tarnwick {

DWORD shellOpen(const std::wstring& file, const std::wstring& workingFolder) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  // No shell dialog of its own: the caller reports the failure in the program's words.
  info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
  info.hwnd = nullptr;
  info.lpVerb = L"open";
  info.lpFile = file.c_str();
  info.lpParameters = nullptr;
  info.lpDirectory = workingFolder.c_str();
  info.nShow = SW_SHOWNORMAL;
  // The shell wants COM on the calling thread; both are loaded at the first launch.
  comStarted();
  static auto* shellExecute = systemFunction<decltype(::ShellExecuteExW)>(L"shell32.dll", "ShellExecuteExW");
  if (shellExecute == nullptr) return ERROR_PROC_NOT_FOUND;
  if (shellExecute(&info)) return NO_ERROR;
  return lastErrorOr(ERROR_FILE_NOT_FOUND);
}

}  // namespace tarnwick
