#pragma once
#include <string>

#include "packs/import_types.h"

namespace tarnwick {

// A refusal's reason as the code names it, for the tests' tables.
inline std::wstring reasonName(ImportRefusal::Reason reason) {
  constexpr const wchar_t* kNames[] = {
      L"NotAnArchive", L"Damaged",   L"Encrypted",     L"MultiVolume", L"UnknownCompression", L"OutsideThePack",
      L"DeviceName",   L"UnusableName", L"PathTooLong", L"Duplicate",  L"FileAndFolder",      L"Link",
      L"TooManyEntries", L"TooLarge", L"DiskFull",     L"OutOfMemory", L"NotReadable",        L"NotWritable",
      L"FolderIsTheGame", L"Empty"};
  return kNames[static_cast<int>(reason)];
}

}  // namespace tarnwick
