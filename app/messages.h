#pragma once
#include <windows.h>

#include <string>

#include "packs/file_problem.h"
#include "packs/pack_install.h"
#include "packs/pack_removal.h"

namespace tarnwick {

// The messages the user reads about what the program's parts report, worded by texts.h.

// The system's error code in its own words followed by the number in brackets, or the
// number alone when the system has no words for it.
std::wstring systemErrorText(DWORD error);

// A picture that can't be shown in a preview, and why.
std::wstring pictureNotOpenedText(const std::wstring& path, HRESULT result);

std::wstring refusalText(const PackRefusal& refusal);
std::wstring problemText(const FileProblem& problem);
// Why an install stopped and what it copied before; empty when it didn't stop.
std::wstring installReport(const InstallOutcome& outcome);
// The one message that tells of all a removal's problems; empty when there were none.
std::wstring removalReport(const RemovalOutcome& outcome);

}  // namespace tarnwick
