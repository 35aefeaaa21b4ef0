#include <windows.h>

#include "app/messages.h"
#include "app/texts.h"

namespace tarnwick {
namespace {

// The limits an import runs with, as the user reads them: "4 GB", "100 MB".
std::wstring sizeText(uint64_t bytes) {
  if (bytes % (uint64_t{1} << 30) == 0) return std::to_wstring(bytes >> 30) + L" GB";
  return std::to_wstring(bytes >> 20) + L" MB";
}

std::wstring refusalWhy(const ImportRefusal& refusal) {
  using Reason = ImportRefusal::Reason;
  const ImportLimits limits;
  switch (refusal.reason) {
    case Reason::NotAnArchive: return texts::kNotAnArchive;
    case Reason::Damaged: return texts::kArchiveDamaged;
    case Reason::Encrypted: return texts::kArchiveEncrypted;
    case Reason::MultiVolume: return texts::kArchiveMultiVolume;
    case Reason::UnknownCompression: return texts::kUnknownCompression;
    case Reason::OutsideThePack: return texts::kEntryOutsideThePack;
    case Reason::DeviceName: return texts::kEntryDeviceName;
    case Reason::UnusableName: return texts::kEntryNameUnusable;
    case Reason::PathTooLong: return texts::kEntryPathTooLong;
    case Reason::Duplicate: return texts::kEntryDuplicate;
    case Reason::FileAndFolder: return texts::kEntryFileAndFolder;
    case Reason::Link: return texts::kEntryLink;
    case Reason::TooManyEntries: return texts::tooManyEntries(std::to_wstring(limits.maxEntries));
    case Reason::TooLarge: return texts::tooLarge(sizeText(limits.maxBytes));
    case Reason::DiskFull: return texts::diskFull(sizeText(limits.keptFreeBytes));
    case Reason::OutOfMemory: return texts::kDecoderOutOfMemory;
    case Reason::NotReadable: return texts::sourceNotReadable(systemErrorText(refusal.error));
    case Reason::NotWritable: return texts::notUnpacked(refusal.entry, systemErrorText(refusal.error));
    case Reason::FolderIsTheGame: return texts::kFolderIsTheGame;
    case Reason::Empty: return texts::kSourceEmpty;
  }
  return {};
}

}  // namespace

std::wstring importReport(const std::wstring& source, const ImportOutcome& outcome) {
  if (outcome.refusal) {
    const ImportRefusal& refusal = *outcome.refusal;
    // The file that couldn't be written is named in the reason already.
    const bool entryNamed = refusal.reason != ImportRefusal::Reason::NotWritable;
    return texts::importRefused(source, refusalWhy(refusal), entryNamed ? refusal.entry : std::wstring());
  }
  std::vector<std::wstring> notes;
  if (outcome.entriesLeftOut) notes.push_back(texts::collectionImported(source, outcome.packs.size()));
  for (const ImportedPack& pack : outcome.packs) {
    if (!pack.hasMaps) notes.push_back(texts::importedWithoutMaps(source, pack.name));
    if (pack.unrecordableName) {
      notes.push_back(texts::importedUnrecordable(source, pack.name, *pack.unrecordableName,
                                                         std::to_wstring(::GetACP())));
    }
  }
  return joinedParagraphs(notes);
}

std::wstring joinedParagraphs(const std::vector<std::wstring>& messages) {
  std::wstring joined;
  for (const auto& message : messages) {
    if (!message.empty()) joined += (joined.empty() ? L"" : L"\r\n\r\n") + message;
  }
  return joined;
}

}  // namespace tarnwick
