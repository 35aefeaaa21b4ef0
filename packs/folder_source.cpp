#include "packs/folder_source.h"

#include <windows.h>

#include <vector>

#include "packs/archive_file.h"
#include "platform/error_text.h"
#include "platform/folder_operations.h"
#include "platform/folder_walk.h"

namespace tarnwick {
namespace {

using Reason = ImportRefusal::Reason;

std::optional<ImportRefusal> copyFile(const std::wstring& path, const std::wstring& name, uint64_t size,
                                      std::vector<char>& buffer, Unpacking& unpacking) {
  ArchiveFile file;
  if (const DWORD error = file.open(path)) return ImportRefusal{Reason::NotReadable, name, error};
  if (auto refusal = unpacking.beginFile(name, size)) return refusal;
  for (;;) {
    const int64_t got = file.read(buffer.data(), buffer.size());
    if (got < 0) return ImportRefusal{Reason::NotReadable, name, file.error()};
    if (got == 0) return unpacking.endFile();
    if (auto refusal = unpacking.write(buffer.data(), static_cast<size_t>(got))) return refusal;
  }
}

}  // namespace

std::wstring folderNameOf(const std::wstring& folder) {
  std::wstring full = longPathOf(folder);
  const size_t separator = full.find_last_of(L'\\');
  std::wstring name = full.substr(separator + 1);
  if (name.size() == 2 && name[1] == L':') name.pop_back();  // "\\?\D:" is drive D
  return name;
}

std::optional<ImportRefusal> copyFolder(const std::wstring& folder, Unpacking& unpacking) {
  const std::wstring top = longPathOf(folder);
  const std::wstring topName = folderNameOf(folder);
  const DWORD attributes = ::GetFileAttributesW(top.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES)
    return ImportRefusal{Reason::NotReadable, topName, lastErrorOr(ERROR_PATH_NOT_FOUND)};
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return ImportRefusal{Reason::Link, topName};
  std::vector<char> buffer(1 << 20);
  std::vector<std::wstring> pending = {L""};  // folders below the top still to copy
  while (!pending.empty()) {
    const std::wstring below = std::move(pending.back());
    pending.pop_back();
    std::optional<ImportRefusal> refusal;
    const bool readable = forEachFolderEntry(top + below + L"\\*", [&](const WIN32_FIND_DATAW& found) {
      if (refusal) return;
      const std::wstring name = topName + below + L"\\" + found.cFileName;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        refusal = ImportRefusal{Reason::Link, name};
      } else if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        refusal = unpacking.folder(name);
        pending.push_back(below + L"\\" + found.cFileName);
      } else {
        const uint64_t size = (uint64_t{found.nFileSizeHigh} << 32) | found.nFileSizeLow;
        refusal = copyFile(top + below + L"\\" + found.cFileName, name, size, buffer, unpacking);
      }
    });
    if (refusal) return refusal;
    if (!readable) return ImportRefusal{Reason::NotReadable, topName + below, lastErrorOr(ERROR_ACCESS_DENIED)};
  }
  return std::nullopt;
}

}  // namespace tarnwick
