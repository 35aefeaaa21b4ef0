#pragma once
#include <string_view>

namespace tarnwick {

// Whether a name from the installed-file list names a file directly inside the game
// folder, so that deleting "game folder\name" can touch nothing else. The list comes from
// an editable record, so it may hold anything: empty names, ".", "..", names made only of
// dots and spaces, and names with a path separator, a drive or stream colon, a wildcard or
// another character that Windows doesn't allow in a file name are refused. So are names
// ending in a dot or a space: Windows drops those when it opens the file, and the delete
// would hit a file of another name than the one listed. And so are the names Windows
// gives to devices (CON, NUL, COM1, "aux.txt" ...): opening them reaches the device.
bool isPlainFileName(std::wstring_view name);

// Whether Windows takes the name for a device: the part before its first dot, without the
// spaces at its end, is a device's name ("aux", "Com1.txt", "nul .map", "con.a.b").
bool isDeviceName(std::wstring_view name);

}  // namespace tarnwick
