#include "platform/folder_walk.h"

#include <string_view>

namespace tarnwick {

FolderWalk::FolderWalk(const std::wstring& pattern) {
  // In the body: `found_` takes the first entry only once it has been initialized.
  find_.reset(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found_, FindExSearchNameMatch, nullptr,
                                 FIND_FIRST_EX_LARGE_FETCH));
  // A folder always holds "." and "..": nothing found at all means nothing matched.
  readable_ = find_ || ::GetLastError() == ERROR_FILE_NOT_FOUND;
  more_ = static_cast<bool>(find_);
}

bool FolderWalk::visitNext(std::size_t most, const std::function<void(const WIN32_FIND_DATAW&)>& visit) {
  for (std::size_t visited = 0; more_ && visited < most; ++visited) {
    const std::wstring_view name(found_.cFileName);
    if (name != L"." && name != L"..") visit(found_);
    more_ = ::FindNextFileW(find_.get(), &found_) != FALSE;
  }
  return !more_;
}

bool forEachFolderEntry(const std::wstring& pattern, const std::function<void(const WIN32_FIND_DATAW&)>& visit) {
  FolderWalk walk(pattern);
  walk.visitNext(static_cast<std::size_t>(-1), visit);
  return walk.readable();
}

}  // namespace tarnwick
