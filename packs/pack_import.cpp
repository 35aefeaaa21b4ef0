#include "packs/pack_import.h"

#include <array>
#include <cwctype>
#include <new>

#include "packs/archive_file.h"
#include "packs/archive_unpacker.h"
#include "packs/folder_source.h"
#include "packs/game_folder_layout.h"
#include "packs/pack_install.h"
#include "packs/unpacking_folder.h"
#include "platform/code_page.h"
#include "platform/error_text.h"
#include "platform/file_operations.h"
#include "platform/file_system.h"
#include "platform/folder_operations.h"
#include "platform/folder_walk.h"

namespace tarnwick {
namespace {

using Reason = ImportRefusal::Reason;

// The pack folder's own entries, which no pack may be named after even before they exist.
constexpr std::array<std::wstring_view, 5> kReservedNames = {L"cofin.txt", L"Tarnwick.lock", L".originals",
                                                             L".unpacking", kStringTableName};
constexpr unsigned kMostNumbers = 10'000;

std::wstring fileNameOf(const std::wstring& path) { return path.substr(path.find_last_of(L"\\/") + 1); }

// An archive's file name without its extension, as Windows would keep it for a folder.
std::wstring archiveStem(const std::wstring& path) {
  std::wstring name = fileNameOf(path);
  if (const size_t dot = name.rfind(L'.'); dot != std::wstring::npos && dot > 0) name.resize(dot);
  while (!name.empty() && (name.back() == L'.' || name.back() == L' ')) name.pop_back();
  return name;
}

// A part of a split archive by its name: "x.7z.001", "x.z01", "x.r00".
bool looksLikeVolume(const std::wstring& path) {
  const std::wstring name = fileNameOf(path);
  const size_t dot = name.rfind(L'.');
  if (dot == std::wstring::npos || name.size() - dot != 4) return false;
  const wchar_t first = static_cast<wchar_t>(std::towlower(name[dot + 1]));
  return (std::iswdigit(first) || first == L'z' || first == L'r') && std::iswdigit(name[dot + 2]) &&
         std::iswdigit(name[dot + 3]);
}

// The names of every entry of the pack folder, hidden ones too.
std::vector<std::wstring> packFolderNames(const std::wstring& gameDir) {
  std::vector<std::wstring> names(kReservedNames.begin(), kReservedNames.end());
  forEachFolderEntry(packFolderOf(gameDir) + L"\\*",
                     [&](const WIN32_FIND_DATAW& found) { names.emplace_back(found.cFileName); });
  return names;
}

bool isTaken(const std::vector<std::wstring>& names, const std::wstring& name) {
  for (const auto& taken : names) {
    if (sameFileName(taken, name)) return true;
  }
  return false;
}

class Import {
 public:
  explicit Import(const ImportRequest& request)
      : request_(request), packFolder_(packFolderOf(request.gameDir)), staging_(request.gameDir) {}

  ImportOutcome run() {
    ImportOutcome outcome;
    if (auto refusal = unpack()) {
      if ((refusal->reason == Reason::Damaged || refusal->reason == Reason::NotAnArchive) &&
          looksLikeVolume(request_.source)) {
        refusal = ImportRefusal{Reason::MultiVolume, {}};
      }
      outcome.refusal = std::move(refusal);
      return outcome;
    }
    const EntryTree& tree = unpacking_->tree();
    if (tree.files() == 0) {
      outcome.refusal = ImportRefusal{Reason::Empty, {}};
      return outcome;
    }
    const ImportPlan plan = tree.plan(sourceName_);
    if (auto refusal = moveIntoPlace(plan, outcome)) {
      for (const auto& pack : outcome.packs) deleteFolderTree(packFolder_ + L"\\" + pack.name);
      outcome.packs.clear();
      outcome.refusal = std::move(refusal);
      return outcome;
    }
    outcome.entriesLeftOut = plan.entriesLeftOut;
    for (size_t i = 0; i < plan.packs.size(); ++i) {
      ImportedPack& pack = outcome.packs[i];
      pack.hasMaps = plan.packs[i].hasMaps;
      if (auto unrecordable =
              refusalOfPack(packFolder_ + L"\\" + pack.name, pack.name, tree.filesIn(plan.packs[i].folder))) {
        pack.unrecordableName = unrecordable->name;
      }
    }
    return outcome;
  }

 private:
  // Unpacks the whole source into the unpacking folder.
  std::optional<ImportRefusal> unpack() {
    if (const DWORD error = makePackFolder(request_.gameDir))
      return ImportRefusal{Reason::NotWritable, packFolder_, error};
    const DWORD attributes = ::GetFileAttributesW(request_.source.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      return ImportRefusal{Reason::NotReadable, {}, lastErrorOr(ERROR_FILE_NOT_FOUND)};
    }
    const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    // A folder holding the pack folder would be copied into itself.
    if (folder && (isSameOrInside(request_.source, packFolder_) || isSameOrInside(packFolder_, request_.source))) {
      return ImportRefusal{Reason::FolderIsTheGame, {}};
    }
    if (const DWORD error = staging_.create())
      return ImportRefusal{Reason::NotWritable, unpackingFolderOf(request_.gameDir), error};
    unpacking_.emplace(staging_, room(), request_.progress);
    if (folder) {
      sourceName_ = folderNameOf(request_.source);
      return copyFolder(request_.source, *unpacking_);
    }
    sourceName_ = archiveStem(request_.source);
    ArchiveFile file;
    if (const DWORD error = file.open(request_.source)) return ImportRefusal{Reason::NotReadable, {}, error};
    return unpackArchive(file, {fromOem, oemCodePageName()}, *unpacking_);
  }

  UnpackRoom room() const {
    ULARGE_INTEGER free{};
    const uint64_t kept = request_.limits.keptFreeBytes;
    uint64_t driveRoom = UINT64_MAX;
    if (::GetDiskFreeSpaceExW(packFolder_.c_str(), &free, nullptr, nullptr)) {
      driveRoom = free.QuadPart > kept ? free.QuadPart - kept : 0;
    }
    return {request_.limits.maxEntries, request_.limits.maxBytes, driveRoom};
  }

  // Names each pack ("X", or "X (2)" ... where any entry of the pack folder has that
  // name, ignoring case) and moves it out of the unpacking folder to its place. An
  // existing pack is never written into: a name taken meanwhile takes the next number.
  std::optional<ImportRefusal> moveIntoPlace(const ImportPlan& plan, ImportOutcome& outcome) {
    std::vector<std::wstring> taken = packFolderNames(request_.gameDir);
    if (plan.packs.front().name.empty()) return ImportRefusal{Reason::UnusableName, fileNameOf(request_.source)};
    std::vector<std::wstring> names;
    for (const PlannedPack& pack : plan.packs) {
      auto name = freeName(pack, taken);
      if (auto* refusal = std::get_if<ImportRefusal>(&name)) return std::move(*refusal);
      names.push_back(std::get<std::wstring>(name));
      taken.push_back(names.back());
    }
    for (size_t i = 0; i < plan.packs.size(); ++i) {
      const size_t folder = plan.packs[i].folder;
      const std::wstring from =
          folder == EntryTree::kTop ? staging_.path() : staging_.path() + L"\\" + unpacking_->tree().pathOf(folder);
      for (;;) {
        if (::MoveFileExW(from.c_str(), longPathOf(packFolder_ + L"\\" + names[i]).c_str(), 0)) break;
        const DWORD error = lastErrorOr(ERROR_ACCESS_DENIED);
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) {
          return ImportRefusal{Reason::NotWritable, names[i], error};
        }
        auto name = freeName(plan.packs[i], taken);
        if (auto* refusal = std::get_if<ImportRefusal>(&name)) return std::move(*refusal);
        names[i] = std::get<std::wstring>(name);
        taken.push_back(names[i]);
      }
      outcome.packs.push_back({names[i], false, std::nullopt});
    }
    return std::nullopt;
  }

  // The first name of the pack's not taken, and where the pack and all in it still fit
  // the paths Windows programs use.
  std::variant<std::wstring, ImportRefusal> freeName(const PlannedPack& pack, const std::vector<std::wstring>& taken) {
    for (unsigned number = 1; number <= kMostNumbers; ++number) {
      std::wstring name = numberedName(pack.name, number);
      if (isTaken(taken, name)) continue;
      const size_t length = packFolder_.size() + 1 + name.size();
      if (length > kLongestFolderPath) return ImportRefusal{Reason::PathTooLong, name};
      if (auto tooLong = unpacking_->tree().firstTooLong(pack.folder, length)) {
        return ImportRefusal{Reason::PathTooLong, *tooLong};
      }
      return name;
    }
    return ImportRefusal{Reason::NotWritable, pack.name, ERROR_ALREADY_EXISTS};
  }

  const ImportRequest& request_;
  std::wstring packFolder_;
  UnpackingFolder staging_;
  std::optional<Unpacking> unpacking_;
  std::wstring sourceName_;
};

}  // namespace

DWORD makePackFolder(const std::wstring& gameDir) {
  const std::wstring folder = packFolderOf(gameDir);
  if (isFolder(folder)) return NO_ERROR;
  if (!::CreateDirectoryW(folder.c_str(), nullptr)) return lastErrorOr(ERROR_CANNOT_MAKE);
  // The pristine copy that a removal puts back; without it the game would lose its own.
  const std::wstring table = gameDir + L"\\" + std::wstring(kStringTableName);
  if (pathExists(table)) {
    if (const DWORD error = copyToNewFile(table, pristineStringTableOf(gameDir))) {
      ::RemoveDirectoryW(folder.c_str());
      return error;
    }
  }
  return NO_ERROR;
}

ImportOutcome importPack(const ImportRequest& request) {
  try {
    return Import(request).run();
  } catch (const std::bad_alloc&) {  // what it unpacked is gone with it
    return {{}, false, ImportRefusal{Reason::OutOfMemory, {}}};
  }
}

void removeUnfinishedImports(const std::wstring& gameDir) { deleteFolderTree(unpackingFolderOf(gameDir)); }

}  // namespace tarnwick
