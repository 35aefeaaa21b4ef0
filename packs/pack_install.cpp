#include "packs/pack_install.h"

#include <windows.h>

#include <cwchar>
#include <unordered_set>

#include "packs/folder_snapshot.h"
#include "packs/game_folder_layout.h"
#include "packs/journal_file.h"
#include "packs/kept_originals.h"
#include "platform/plain_file_name.h"
#include "platform/code_page.h"
#include "platform/file_operations.h"
#include "platform/file_system.h"

namespace tarnwick {
namespace {

bool hasControlCharacter(const std::wstring& text) {
  for (const wchar_t c : text) {
    if (c < 0x20) return true;
  }
  return false;
}

// The local time as "yyyymmdd-hhmmss".
std::wstring timeStamp() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  wchar_t text[32]{};
  std::swprintf(text, 32, L"%04u%02u%02u-%02u%02u%02u", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
                now.wSecond);
  return text;
}

bool isProgramsOwnName(const std::wstring& name) {
  const size_t suffix = kTemporarySuffix.size();
  return sameFileName(name, kJournalName) ||
         (name.size() >= suffix && sameFileName(std::wstring_view(name).substr(name.size() - suffix), kTemporarySuffix));
}

class Install {
 public:
  explicit Install(const PackInstall& install)
      : install_(install), game_(install.gameDir), originals_(install.gameDir) {}

  InstallOutcome run() {
    if (auto failure = setAsideOlderOriginals()) {
      outcome_.failure = std::move(*failure);
      return std::move(outcome_);
    }
    Journal journal{JournalOperation::Install, install_.packFolder, install_.packName, {}};
    journal.entries.reserve(install_.files.size());
    for (const auto& name : install_.files) journal.entries.push_back({name, isGamesOwnFile(name)});
    if (const DWORD error = writeJournal(install_.gameDir, journal)) {
      outcome_.failure = FileProblem{FileProblem::Kind::JournalUnwritable, journalFileOf(install_.gameDir), {}, error};
      return std::move(outcome_);
    }
    for (const auto& entry : journal.entries) {
      if (auto failure = installFile(entry)) {
        outcome_.failure = std::move(*failure);
        break;
      }
      outcome_.copied.push_back(entry.name);
      if (install_.progress) install_.progress(outcome_.copied.size(), journal.entries.size());
    }
    return std::move(outcome_);
  }

 private:
  // A kept file of a name the pack brings is older than this install: the record and the
  // journal of an earlier operation account for none once the pack in use is out. Kept
  // there, the game's current file couldn't be kept, and the removal would put the older
  // one back; so it goes out of the way first, before the journal of this install.
  std::optional<FileProblem> setAsideOlderOriginals() {
    const std::wstring stamp = timeStamp();
    for (const auto& name : install_.files) {
      if (!originals_.holds(name)) continue;
      KeptOriginals::SetAside setAside = originals_.setAside(name, stamp);
      if (setAside.error != NO_ERROR) {
        return FileProblem{FileProblem::Kind::OlderNotSetAside, originals_.pathOf(name), {}, setAside.error};
      }
      outcome_.setAside.push_back(std::move(setAside.path));
    }
    return std::nullopt;
  }

  // Whether the file the pack is about to replace is one of the game's own, to be kept.
  bool isGamesOwnFile(const std::wstring& name) const {
    return game_.hasFile(name) && !sameFileName(name, kStringTableName);
  }

  std::optional<FileProblem> installFile(const JournalEntry& entry) {
    const std::wstring& name = entry.name;
    const std::wstring source = install_.packFolder + L"\\" + name;
    const std::wstring target = install_.gameDir + L"\\" + name;
    if (!game_.hasEntry(name)) {
      // Nothing there to protect: copied straight into place. A crash leaves at most a
      // part of the pack's file, which the journal names.
      if (const DWORD error = copyToNewFile(source, target)) return notCopied(name, error);
      game_.addFile(name);
      return std::nullopt;
    }
    PendingReplacement replacement(target);
    if (const DWORD error = replacement.copyFrom(source, Durability::Cached)) return notCopied(name, error);
    if (entry.kept) {
      if (const DWORD error = originals_.keep(target, name)) {
        return FileProblem{FileProblem::Kind::OriginalNotKept, name, originals_.folder(), error};
      }
    }
    if (const DWORD error = replacement.commit()) {
      if (entry.kept) originals_.forget(name);
      return notCopied(name, error);
    }
    return std::nullopt;
  }

  static FileProblem notCopied(const std::wstring& name, DWORD error) {
    return {FileProblem::Kind::NotCopied, name, {}, error};
  }

  const PackInstall& install_;
  FolderSnapshot game_;
  KeptOriginals originals_;
  InstallOutcome outcome_;
};

}  // namespace

std::optional<PackRefusal> refusalOfPack(const std::wstring& packFolder, const std::wstring& packName,
                                         const std::vector<std::wstring>& files) {
  using Reason = PackRefusal::Reason;
  if (!toAnsiExactly(packFolder) || hasControlCharacter(packFolder)) {
    return PackRefusal{Reason::FolderUnrecordable, packFolder};
  }
  if (!toAnsiExactly(packName) || hasControlCharacter(packName)) return PackRefusal{Reason::NameUnrecordable, packName};
  // Names alike but for case (a pack made where case counts) would be one file in the game
  // folder: the second would replace the first, and its original kept would be the first's.
  std::unordered_set<std::wstring> seen;
  for (const auto& name : files) {
    if (!isPlainFileName(name) || isProgramsOwnName(name) || !seen.insert(foldedFileName(name)).second) {
      return PackRefusal{Reason::FileNameUnusable, name};
    }
    if (!toAnsiExactly(name)) return PackRefusal{Reason::FileNameUnrecordable, name};
  }
  return std::nullopt;
}

InstallOutcome installPack(const PackInstall& install) { return Install(install).run(); }

}  // namespace tarnwick
