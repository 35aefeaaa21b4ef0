#include "platform/shell.h"

#include "platform/com_init.h"
#include "platform/error_text.h"
#include "platform/system_library.h"
#include "platform/unique_handle.h"

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

std::vector<std::wstring> commandLineArguments() {
  const wchar_t* line = ::GetCommandLineW();
  // The program's own name ends at its closing quote, or unquoted at the first blank.
  if (*line == L'"') {
    for (++line; *line != L'\0' && *line != L'"'; ++line) {}
    if (*line == L'"') ++line;
  } else {
    while (*line != L'\0' && *line != L' ' && *line != L'\t') ++line;
  }
  while (*line == L' ' || *line == L'\t') ++line;
  if (*line == L'\0') return {};

  static auto* split = systemFunction<decltype(::CommandLineToArgvW)>(L"shell32.dll", "CommandLineToArgvW");
  int count = 0;
  UniqueLocalMemory memory(split ? split(::GetCommandLineW(), &count) : nullptr);
  if (!memory || count < 2) return {};
  const auto* arguments = static_cast<const wchar_t* const*>(memory.get());
  return std::vector<std::wstring>(arguments + 1, arguments + count);
}

std::vector<std::wstring> droppedFiles(HDROP drop) {
  static auto* query = systemFunction<decltype(::DragQueryFileW)>(L"shell32.dll", "DragQueryFileW");
  static auto* finish = systemFunction<decltype(::DragFinish)>(L"shell32.dll", "DragFinish");
  std::vector<std::wstring> files;
  if (query == nullptr || finish == nullptr) return files;
  const UINT count = query(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring file(query(drop, i, nullptr, 0), L'\0');
    file.resize(query(drop, i, file.data(), static_cast<UINT>(file.size() + 1)));
    if (!file.empty()) files.push_back(std::move(file));
  }
  finish(drop);
  return files;
}

}  // namespace tarnwick
