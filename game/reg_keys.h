#pragma once
#include <windows.h>

#include <string>

namespace tarnwick::RegKeys {

// One named value of a registry key as text: text values as stored (not expanded),
// 32-bit numbers in hexadecimal; the empty string for a missing or unreadable key
// or value, a value of another type, or one larger than 1024 bytes.
// Reads the registry's 32-bit view, where the game's installer writes.
std::wstring ReadRegValue(HKEY root, const std::string& subKey, const std::string& valueName);

}  // namespace tarnwick::RegKeys
