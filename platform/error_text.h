#pragma once
#include <windows.h>

#include <string>

namespace tarnwick {

// The system's own words for an error code (a Windows error or a COM result), in the
// user's language, without the trailing line break and full stop; empty when the system
// has none for it.
std::wstring systemMessage(DWORD code);

// The calling thread's last error code, or `fallback` when a failed call left none.
DWORD lastErrorOr(DWORD fallback);

}  // namespace tarnwick
