#pragma once
#include <sstream>
#include <string>

#include "packs/import_types.h"

namespace tarnwick {

// A refusal's reason as the code names it, for the tests' tables.
inline std::wstring reasonName(ImportRefusal::Reason reason) {
  std::wistringstream names(
      L"NotAnArchive Damaged Encrypted MultiVolume UnknownCompression OutsideThePack DeviceName UnusableName "
      L"PathTooLong Duplicate FileAndFolder Link TooManyEntries TooLarge DiskFull OutOfMemory NotReadable NotWritable "
      L"FolderIsTheGame Empty");
  std::wstring name;
  for (int i = 0; i <= static_cast<int>(reason); ++i) names >> name;
  return name;
}

}  // namespace tarnwick
