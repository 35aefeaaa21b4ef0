#pragma once
#include <windows.h>

namespace tarnwick {

// Registers a top-level window class of the program (its icon, arrow cursor, the face
// colour behind its controls). True when it is registered, also when it already was.
bool registerTopLevelClass(HINSTANCE instance, const wchar_t* className, WNDPROC windowProc);

}  // namespace tarnwick
