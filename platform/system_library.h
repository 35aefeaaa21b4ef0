#pragma once
#include <windows.h>

namespace tarnwick {

// A function of a Windows DLL that only a later click needs (COM for the imaging
// component, the shell for starting the game), loaded from the system folder at its
// first use instead of with the program: loading them costs start-up time, most of
// all under Wine. Null when the DLL or the function isn't there.
FARPROC systemLibraryFunction(const wchar_t* library, const char* name);

template <typename Function>
Function* systemFunction(const wchar_t* library, const char* name) {
  return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(systemLibraryFunction(library, name)));
}

}  // namespace tarnwick
