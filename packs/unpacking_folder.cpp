#include "packs/unpacking_folder.h"

#include <algorithm>

#include "packs/game_folder_layout.h"
#include "platform/error_text.h"
#include "platform/folder_operations.h"

namespace tarnwick {
namespace {

using Reason = ImportRefusal::Reason;

// A name the checks took for new that Windows already holds (a letter whose case only
// the file system folds, a short 8.3 name) is a second entry of one name.
ImportRefusal notMade(const std::wstring& path, DWORD error) {
  if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) return {Reason::Duplicate, path};
  if (error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL) return {Reason::DiskFull, path, error};
  return {Reason::NotWritable, path, error};
}

}  // namespace

UnpackingFolder::~UnpackingFolder() {
  file_.reset();
  if (root_.empty()) return;
  deleteFolderTree(root_);
  // The hidden folder goes too once empty, so a refused import leaves the pack folder as it was.
  ::RemoveDirectoryW(root_.substr(0, root_.rfind(L'\\')).c_str());
}

DWORD UnpackingFolder::create() {
  const std::wstring hidden = unpackingFolderOf(gameDir_);
  if (const DWORD error = makeHiddenFolder(hidden)) return error;
  for (unsigned number = 1;; ++number) {
    const std::wstring folder = longPathOf(hidden + L"\\" + std::to_wstring(number));
    if (::CreateDirectoryW(folder.c_str(), nullptr)) {
      root_ = folder;
      return NO_ERROR;
    }
    if (::GetLastError() != ERROR_ALREADY_EXISTS || number == 10'000) return lastErrorOr(ERROR_CANNOT_MAKE);
  }
}

std::optional<ImportRefusal> UnpackingFolder::makeFolder(const std::wstring& path) {
  if (!::CreateDirectoryW((root_ + L"\\" + path).c_str(), nullptr))
    return notMade(path, lastErrorOr(ERROR_CANNOT_MAKE));
  return std::nullopt;
}

std::optional<ImportRefusal> UnpackingFolder::beginFile(const std::wstring& path) {
  filePath_ = path;
  file_.reset(::CreateFileW((root_ + L"\\" + path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file_) return notMade(path, lastErrorOr(ERROR_OPEN_FAILED));
  return std::nullopt;
}

std::optional<ImportRefusal> UnpackingFolder::write(const void* bytes, size_t size) {
  const auto* at = static_cast<const char*>(bytes);
  while (size > 0) {
    DWORD written = 0;
    if (!::WriteFile(file_.get(), at, static_cast<DWORD>(std::min<size_t>(size, 1u << 30)), &written, nullptr)) {
      return notMade(filePath_, lastErrorOr(ERROR_WRITE_FAULT));
    }
    if (written == 0) return notMade(filePath_, ERROR_DISK_FULL);
    at += written;
    size -= written;
  }
  return std::nullopt;
}

std::optional<ImportRefusal> UnpackingFolder::endFile() {
  // Closing is where a network drive or a full disk may still say no.
  if (!::CloseHandle(file_.release())) return notMade(filePath_, lastErrorOr(ERROR_WRITE_FAULT));
  return std::nullopt;
}

}  // namespace tarnwick
