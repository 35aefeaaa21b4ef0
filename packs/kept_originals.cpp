#include "packs/kept_originals.h"

#include "platform/file_operations.h"
#include "platform/file_system.h"

namespace tarnwick {
namespace {

constexpr DWORD kFolderAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

DWORD lastErrorOr(DWORD fallback) {
  const DWORD error = ::GetLastError();
  return error != NO_ERROR ? error : fallback;
}

}  // namespace

KeptOriginals::KeptOriginals(const std::wstring& packFolder) : folder_(packFolder + L"\\" + kFolderName) {}

bool KeptOriginals::holds(const std::wstring& name) const {
  const std::wstring path = pathOf(name);
  return pathExists(path) && !isFolder(path);
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
  return copyFileReplacing(gameFile, pathOf(name));
}

void KeptOriginals::forget(const std::wstring& name) { (void)deleteFileClearingReadOnly(pathOf(name)); }

DWORD KeptOriginals::putBack(const std::wstring& name, const std::wstring& gameFile) {
  return moveFileReplacing(pathOf(name), gameFile);
}

}  // namespace tarnwick
