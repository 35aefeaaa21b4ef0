#include "packs/kept_originals.h"

#include "packs/game_folder_layout.h"
#include "platform/error_text.h"
#include "platform/file_operations.h"
#include "platform/file_system.h"
#include "platform/folder_operations.h"
#include "platform/unique_handle.h"

namespace tarnwick {
KeptOriginals::KeptOriginals(const std::wstring& gameDir)
    : folder_(keptOriginalsFolderOf(gameDir)), kept_(folder_) {
  kept_.remove(kJournalName);
}

bool KeptOriginals::holds(const std::wstring& name) const { return kept_.hasFile(name); }

DWORD KeptOriginals::keep(const std::wstring& gameFile, const std::wstring& name) {
  if (const DWORD error = makeHiddenFolder(folder_)) return error;
  if (const DWORD error = copyFileReplacing(gameFile, pathOf(name))) return error;
  kept_.addFile(name);
  return NO_ERROR;
}

void KeptOriginals::forget(const std::wstring& name) {
  if (deleteFileClearingReadOnly(pathOf(name)) == NO_ERROR) kept_.remove(name);
}

KeptOriginals::SetAside KeptOriginals::setAside(const std::wstring& name, const std::wstring& stamp) {
  constexpr int kTries = 100;
  DWORD error = ERROR_ALREADY_EXISTS;
  for (int n = 1; n <= kTries && (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS); ++n) {
    const std::wstring path = pathOf(name + L"." + stamp + (n == 1 ? L"" : L"-" + std::to_wstring(n)) + L".older");
    if (::MoveFileExW(pathOf(name).c_str(), path.c_str(), 0)) {
      kept_.remove(name);
      kept_.addFile(path.substr(folder_.size() + 1));
      return {path, NO_ERROR};
    }
    error = lastErrorOr(ERROR_ACCESS_DENIED);
  }
  return {{}, error};
}

DWORD KeptOriginals::putBack(const std::wstring& name, const std::wstring& gameFile) {
  const DWORD error = moveFileReplacing(pathOf(name), gameFile);
  if (error == NO_ERROR) kept_.remove(name);
  return error;
}

}  // namespace tarnwick
