#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "packs/file_problem.h"
#include "packs/pack_import.h"
#include "packs/pack_install.h"
#include "packs/pack_removal.h"

namespace tarnwick {

// The messages the user reads about what the program's parts report, worded by texts.h.

// Messages of one operation, shown together in one box; an empty one is left out.
std::wstring joinedMessages(std::wstring first, const std::wstring& second);

// The system's error code in its own words followed by the number in brackets, or the
// number alone when the system has no words for it.
std::wstring systemErrorText(DWORD error);

// A picture that can't be shown in a preview, and why.
std::wstring pictureNotOpenedText(const std::wstring& path, HRESULT result);

// Why the game's program couldn't be started (see launchGame).
std::wstring gameNotStartedText(const std::wstring& program, DWORD error);

std::wstring refusalText(const PackRefusal& refusal);
std::wstring problemText(const FileProblem& problem);
// The older kept files an install set aside, why it stopped and what it copied before;
// empty when it did neither.
std::wstring installReport(const InstallOutcome& outcome);
// The one message that tells of all a removal's problems; empty when there were none.
std::wstring removalReport(const RemovalOutcome& outcome);

// Messages of one operation in one box, a blank line between them; empty ones left out.
std::wstring joinedParagraphs(const std::vector<std::wstring>& messages);

// What an import of `source` (as the user gave it) did that the user must know: why it
// was refused, or what of the packs it made can't be installed as they stand; empty
// when the packs are ready.
std::wstring importReport(const std::wstring& source, const ImportOutcome& outcome);

}  // namespace tarnwick
