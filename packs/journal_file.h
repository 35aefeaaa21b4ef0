#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "packs/journal_text.h"

namespace tarnwick {

// The journal of the operation under way, in the kept originals' folder of the game
// folder `gameDir`. An operation writes it before its first copy or deletion and drops it
// once the record says what the operation left installed; one still there at start-up
// tells what a crash cut short.

// Writes it in one step, flushed to the disk, making the folder where needed. NO_ERROR or
// the system's error.
[[nodiscard]] DWORD writeJournal(const std::wstring& gameDir, const Journal& journal);

// The journal, or nothing when there is none or it isn't whole.
std::optional<Journal> readJournal(const std::wstring& gameDir);

void dropJournal(const std::wstring& gameDir);

}  // namespace tarnwick
