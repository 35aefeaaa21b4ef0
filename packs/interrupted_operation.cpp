#include "packs/interrupted_operation.h"

#include <windows.h>

#include <algorithm>
#include <functional>
#include <unordered_map>
#include <unordered_set>

#include "packs/folder_snapshot.h"
#include "packs/game_folder_layout.h"
#include "packs/journal_file.h"
#include "packs/kept_originals.h"
#include "packs/record_file.h"
#include "packs/unknown_mark.h"
#include "platform/file_operations.h"
#include "platform/file_system.h"
#include "platform/folder_walk.h"

namespace tarnwick {
namespace {

// Deletes the temporary copies in the folder whose targets `isOurs` accepts; the folder
// is read once, however many names the journal holds.
void deleteTemporaryCopiesIn(const std::wstring& folder, const std::function<bool(std::wstring_view)>& isOurs) {
  forEachFolderEntry(folder + L"\\*" + std::wstring(kTemporarySuffix), [&](const WIN32_FIND_DATAW& found) {
    const std::wstring_view name(found.cFileName);
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name.size() <= kTemporarySuffix.size()) return;
    if (isOurs(name.substr(0, name.size() - kTemporarySuffix.size()))) {
      (void)deleteFileClearingReadOnly(folder + L"\\" + std::wstring(name));
    }
  });
}

// The temporary copies a crash left: beside the game's files the journal names and the
// string table, every one in the kept originals' folder, and the record's own.
void deleteTemporaryCopies(const std::wstring& gameDir, const Journal& journal) {
  std::unordered_set<std::wstring> named{foldedFileName(kStringTableName)};
  for (const auto& entry : journal.entries) named.insert(foldedFileName(entry.name));
  deleteTemporaryCopiesIn(gameDir, [&](std::wstring_view target) { return named.count(foldedFileName(target)) != 0; });
  deleteTemporaryCopiesIn(keptOriginalsFolderOf(gameDir), [](std::wstring_view) { return true; });
  deleteTemporaryCopiesIn(packFolderOf(gameDir),
                          [](std::wstring_view target) { return sameFileName(target, L"cofin.txt"); });
}

// Whether the operation had done its work on the entry's file when it stopped.
bool wasDone(const JournalEntry& entry, JournalOperation operation, const FolderSnapshot& game,
             const KeptOriginals& originals) {
  if (operation == JournalOperation::Install) {
    // The pack's file is in place (the game's own one kept first, where there was one).
    return entry.kept ? originals.holds(entry.name) : game.hasFile(entry.name);
  }
  // The kept original is back, or the pack's file deleted. The string table is never
  // missing: it stays listed, and the next removal restores it once more.
  return entry.kept ? !originals.holds(entry.name) : !game.hasFile(entry.name);
}

InstalledRecord recovered(InstalledRecord record, const Journal& journal, const std::wstring& gameDir) {
  const FolderSnapshot game(gameDir);
  const KeptOriginals originals(gameDir);
  if (journal.operation == JournalOperation::Install) {
    std::vector<std::wstring> placed;
    for (const auto& entry : journal.entries) {
      if (wasDone(entry, journal.operation, game, originals)) placed.push_back(entry.name);
    }
    // As after an install that stopped: nothing copied changes nothing.
    if (placed.empty()) return record;
    record.packPath = journal.packPath;
    record.packName = journal.packName;
    record.files = std::move(placed);
    return record;
  }
  std::unordered_map<std::wstring, bool> handled;  // by folded name: whether it was done
  for (const auto& entry : journal.entries) {
    handled[foldedFileName(entry.name)] = wasDone(entry, journal.operation, game, originals);
  }
  bool handledLeft = false;
  std::erase_if(record.files, [&](const std::wstring& name) {
    const auto found = handled.find(foldedFileName(name));
    if (found == handled.end()) return false;
    handledLeft = handledLeft || !found->second;
    return found->second;
  });
  // As after a removal: the pack stays shown while it has files in the game folder.
  if (!handledLeft) {
    record.packPath.reset();
    record.packName.reset();
  }
  return record;
}

}  // namespace

RecoveredRecord readRecordFinishingInterruptedOperation(const std::wstring& gameDir) {
  RecoveredRecord result{readRecordFile(recordFileOf(gameDir)), std::nullopt};
  const auto journal = readJournal(gameDir);
  if (!journal) return result;
  deleteTemporaryCopies(gameDir, *journal);
  result.record = recovered(std::move(result.record), *journal, gameDir);
  const std::wstring unknown(kUnknownMark);
  result.failure = saveRecord(gameDir, result.record.packPath.value_or(unknown),
                              result.record.packName.value_or(unknown), result.record.files);
  if (!result.failure) dropJournal(gameDir);
  return result;
}

}  // namespace tarnwick
