#pragma once
#include <windows.h>

#include <string>

namespace tarnwick::RegKeys {

// One named value of a registry key as text: text values as stored (not expanded),
// 32-bit numbers in hexadecimal; the empty string for a missing or unreadable key
// or value, a value of another type, or a text that takes more than 1024 bytes in
// the ANSI code page. Reads the registry's 32-bit view, where the game's installer writes.
std::wstring ReadRegValue(HKEY root, const std::wstring& subKey, const std::wstring& valueName);

}  // namespace tarnwick::RegKeys
