#include "platform/folder_walk.h"

#include <string_view>

#include "platform/unique_handle.h"

namespace tarnwick {

bool forEachFolderEntry(const std::wstring& pattern, const std::function<void(const WIN32_FIND_DATAW&)>& visit) {
  WIN32_FIND_DATAW found{};
  UniqueFind find(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH));
  // A folder always holds "." and "..": nothing found at all means nothing matched.
  if (!find) return ::GetLastError() == ERROR_FILE_NOT_FOUND;
  do {
    const std::wstring_view name(found.cFileName);
    if (name != L"." && name != L"..") visit(found);
  } while (::FindNextFileW(find.get(), &found));
  return true;
}

}  // namespace tarnwick
