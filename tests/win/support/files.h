#pragma once
#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_bytes.h"
#include "platform/file_operations.h"
#include "platform/file_system.h"
#include "platform/unique_handle.h"

namespace tarnwick::test {

// Writes bytes to a file (creating or replacing it); throws when it can't.
void writeBytes(const std::wstring& path, std::string_view bytes);
// The file's bytes, or nothing when it can't be read.
inline std::optional<std::string> readBytes(const std::wstring& path) {
  std::string bytes;
  if (!readFileInto(path, 1u << 30, bytes)) return std::nullopt;
  return bytes;
}
// The files (not folders) directly in a folder, hidden ones too, with their bytes.
std::map<std::wstring, std::string> filesIn(const std::wstring& folder);
void makeFolder(const std::wstring& path);
void addAttributes(const std::wstring& path, DWORD attributes);
inline bool exists(const std::wstring& path) { return pathExists(path); }
// Text in the ANSI code page (936 in the tests), for expected record bytes.
std::string ansi(std::wstring_view text);

// Holds a file open without sharing, as a running program would: other opens
// fail with ERROR_SHARING_VIOLATION until it goes.
class HeldOpen {
 public:
  explicit HeldOpen(const std::wstring& path);

 private:
  UniqueFile file_;
};

}  // namespace tarnwick::test
