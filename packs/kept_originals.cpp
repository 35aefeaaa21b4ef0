#include "packs/kept_originals.h"

#include <algorithm>

#include "platform/error_text.h"
#include "platform/file_operations.h"
#include "platform/file_system.h"
#include "platform/unique_handle.h"

namespace tarnwick {
namespace {

constexpr DWORD kFolderAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// Every file in the folder, whatever its attributes: a game file may be hidden too.
std::vector<std::wstring> filesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found{};
  UniqueFind find(::FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                     nullptr, 0));
  if (!find) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
  } while (::FindNextFileW(find.get(), &found));
  return names;
}

}  // namespace

KeptOriginals::KeptOriginals(const std::wstring& packFolder)
    : folder_(packFolder + L"\\" + kFolderName), kept_(filesIn(folder_)) {}

bool KeptOriginals::holds(const std::wstring& name) const {
  return std::any_of(kept_.begin(), kept_.end(), [&](const std::wstring& kept) { return sameFileName(kept, name); });
}

DWORD KeptOriginals::makeFolder() const {
  const DWORD attributes = ::GetFileAttributesW(folder_.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    if (!::CreateDirectoryW(folder_.c_str(), nullptr)) return lastErrorOr(ERROR_CANNOT_MAKE);
    if (!::SetFileAttributesW(folder_.c_str(), kFolderAttributes)) {
      // A folder that shows would be offered as a pack: rather keep nothing.
      const DWORD error = lastErrorOr(ERROR_ACCESS_DENIED);
      ::RemoveDirectoryW(folder_.c_str());
      return error;
    }
    return NO_ERROR;
  }
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return ERROR_ALREADY_EXISTS;
  // Copied folders can lose their attributes; put them back before using it.
  if ((attributes & kFolderAttributes) != kFolderAttributes &&
      !::SetFileAttributesW(folder_.c_str(), (attributes | kFolderAttributes) & ~FILE_ATTRIBUTE_DIRECTORY)) {
    return lastErrorOr(ERROR_ACCESS_DENIED);
  }
  return NO_ERROR;
}

DWORD KeptOriginals::keep(const std::wstring& gameFile, const std::wstring& name) {
  if (const DWORD error = makeFolder()) return error;
  if (const DWORD error = copyFileReplacing(gameFile, pathOf(name))) return error;
  kept_.push_back(name);
  return NO_ERROR;
}

void KeptOriginals::forget(const std::wstring& name) {
  if (deleteFileClearingReadOnly(pathOf(name)) == NO_ERROR) dropName(name);
}

DWORD KeptOriginals::putBack(const std::wstring& name, const std::wstring& gameFile) {
  const DWORD error = moveFileReplacing(pathOf(name), gameFile);
  if (error == NO_ERROR) dropName(name);
  return error;
}

void KeptOriginals::dropName(const std::wstring& name) {
  std::erase_if(kept_, [&](const std::wstring& kept) { return sameFileName(kept, name); });
}

}  // namespace tarnwick
