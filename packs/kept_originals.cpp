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

DWORD KeptOriginals::putBack(const std::wstring& name, const std::wstring& gameFile) {
  const DWORD error = moveFileReplacing(pathOf(name), gameFile);
  if (error == NO_ERROR) kept_.remove(name);
  return error;
}

}  // namespace tarnwick
