#include "packs/record_file.h"

#include <windows.h>

#include "packs/game_folder_layout.h"
#include "packs/unknown_mark.h"
#include "platform/code_page.h"
#include "platform/file_bytes.h"
#include "platform/file_operations.h"
#include "platform/file_system.h"

namespace tarnwick {

namespace {
// Far beyond any record this program writes (a pack of 100,000 files makes a few MB):
// a larger file is not a record, and reading it whole could exhaust the memory.
constexpr std::size_t kLargestRecord = 64u * 1024 * 1024;
}  // namespace

InstalledRecord readRecordFile(const std::wstring& path) {
  std::string bytes;
  if (!readFileInto(path, kLargestRecord, bytes)) return {};
  return parseRecord(bytes, [](std::string_view line) { return fromAnsi(line); });
}

std::optional<FileProblem> saveRecord(const std::wstring& gameDir, const std::wstring& packPath,
                                      const std::wstring& packName, const std::vector<std::wstring>& files) {
  const std::wstring path = recordFileOf(gameDir);
  const auto bytes = toAnsiExactly(formatRecord(packPath, packName, files));
  const DWORD error = bytes ? writeFileReplacing(path, *bytes) : ERROR_NO_UNICODE_TRANSLATION;
  if (error == NO_ERROR) return std::nullopt;

  const bool nothingInstalled = files.empty() && packPath == kUnknownMark && packName == kUnknownMark;
  if (nothingInstalled && !isFolder(packFolderOf(gameDir))) return std::nullopt;
  return FileProblem{FileProblem::Kind::RecordUnwritable, path, {}, error};
}

}  // namespace tarnwick
