#include "packs/journal_file.h"

#include "packs/game_folder_layout.h"
#include "platform/file_bytes.h"
#include "platform/file_operations.h"
#include "platform/folder_operations.h"

namespace tarnwick {

// The text is stored as UTF-16: every name the program can handle goes in unchanged.
DWORD writeJournal(const std::wstring& gameDir, const Journal& journal) {
  if (const DWORD error = makeHiddenFolder(keptOriginalsFolderOf(gameDir))) return error;
  const std::wstring text = formatJournal(journal);
  return writeFileReplacing(journalFileOf(gameDir),
                            std::string_view(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t)));
}

std::optional<Journal> readJournal(const std::wstring& gameDir) {
  // Far more than any pack's names: a file that size wasn't written by the program.
  constexpr std::size_t kLargest = std::size_t{64} << 20;
  std::string bytes;
  if (!readFileInto(journalFileOf(gameDir), kLargest, bytes) || bytes.size() % sizeof(wchar_t) != 0) {
    return std::nullopt;
  }
  std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
  bytes.copy(reinterpret_cast<char*>(text.data()), bytes.size());
  return parseJournal(text);
}

void dropJournal(const std::wstring& gameDir) { (void)deleteFileClearingReadOnly(journalFileOf(gameDir)); }

}  // namespace tarnwick
