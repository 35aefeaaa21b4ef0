#pragma once
#include <windows.h>

#include <string>

namespace tarnwick {

// The system's own text for an error code, in the user's language, without the
// trailing line break; the number itself when the system has no text for it.
std::wstring systemErrorText(DWORD error);

}  // namespace tarnwick
