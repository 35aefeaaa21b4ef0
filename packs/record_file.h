#pragma once
#include <optional>
#include <string>
#include <vector>

#include "packs/file_problem.h"
#include "packs/record_text.h"

namespace tarnwick {

// The installed-pack record as a file in the ANSI code page. Reading never fails: a
// missing or unreadable file, or one too large to be a record, reads as an empty record.
InstalledRecord readRecordFile(const std::wstring& path);

// Replaces the record in the game folder `gameDir` in one step (the old record stays
// whole when anything goes wrong). Nothing when it was written; otherwise what went wrong,
// or nothing as well when there is nothing to remember and no pack folder to keep a
// record in (no game installed).
[[nodiscard]] std::optional<FileProblem> saveRecord(const std::wstring& gameDir, const std::wstring& packPath,
                                                    const std::wstring& packName, const std::vector<std::wstring>& files);

}  // namespace tarnwick
