#pragma once
#include <windows.h>

#include <string>

namespace tarnwick {

// The system's own text for an error code, in the user's language, without the
// trailing line break; the number itself when the system has no text for it.
std::wstring systemErrorText(DWORD error);

// The calling thread's last error code, or `fallback` when a failed call left none.
DWORD lastErrorOr(DWORD fallback);

// The same for a COM result: the system's text for a wrapped Windows error code,
// otherwise its text for the result itself, or the result in hexadecimal.
std::wstring resultText(HRESULT result);

}  // namespace tarnwick
