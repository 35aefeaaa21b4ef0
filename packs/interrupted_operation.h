#pragma once
#include <optional>
#include <string>

#include "packs/file_problem.h"
#include "packs/record_text.h"

namespace tarnwick {

struct RecoveredRecord {
  InstalledRecord record;               // what is installed, to show
  std::optional<FileProblem> failure;   // the record couldn't be written
};

// Reads the installed-pack record of the game folder `gameDir`. Where a journal says that
// an install or a removal was cut short, it first finishes what the crash left: the
// temporary copies go, and the record is made to list exactly the files the operation
// had put in place (an install) or not yet taken out (a removal), as the game folder and
// the kept originals show; then the journal is dropped. So one removal afterwards brings
// the game folder back to what it was before the install. When the record can't be
// written, the journal stays for the next start.
[[nodiscard]] RecoveredRecord readRecordFinishingInterruptedOperation(const std::wstring& gameDir);

}  // namespace tarnwick
