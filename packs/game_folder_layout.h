#pragma once
#include <string>
#include <string_view>

namespace tarnwick {

// Where the program's own things lie in the game folder. Paths are joined with a single
// "\", as everywhere in the program.

// The game's string table; a pristine copy of it lies in the pack folder.
inline constexpr std::wstring_view kStringTableName = L"ra2md.csf";

inline std::wstring packFolderOf(const std::wstring& gameDir) { return gameDir + L"\\ZAzod"; }
inline std::wstring recordFileOf(const std::wstring& gameDir) { return packFolderOf(gameDir) + L"\\cofin.txt"; }
// Held open by the program that manages the game folder; never a pack (packs are folders).
inline std::wstring programLockOf(const std::wstring& gameDir) { return packFolderOf(gameDir) + L"\\Tarnwick.lock"; }
// The folder of the game's own files that a pack replaced (see KeptOriginals), and the
// journal of the install or removal under way, kept in it.
inline std::wstring keptOriginalsFolderOf(const std::wstring& gameDir) { return packFolderOf(gameDir) + L"\\.originals"; }
inline constexpr std::wstring_view kJournalName = L"operation.tarnwick-journal";
inline std::wstring journalFileOf(const std::wstring& gameDir) {
  return keptOriginalsFolderOf(gameDir) + L"\\" + std::wstring(kJournalName);
}
// The hidden folder imports unpack into before a pack is whole; left over by a crash, it
// is deleted at the next start.
inline std::wstring unpackingFolderOf(const std::wstring& gameDir) { return packFolderOf(gameDir) + L"\\.unpacking"; }
inline std::wstring pristineStringTableOf(const std::wstring& gameDir) {
  return packFolderOf(gameDir) + L"\\" + std::wstring(kStringTableName);
}

}  // namespace tarnwick
