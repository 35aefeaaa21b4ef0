#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace tarnwick::test {

// Writes bytes to a file (creating or replacing it); throws when it can't.
void writeBytes(const std::wstring& path, std::string_view bytes);
// The file's bytes, or nothing when it can't be read.
std::optional<std::string> readBytes(const std::wstring& path);
void makeFolder(const std::wstring& path);
void addAttributes(const std::wstring& path, DWORD attributes);
bool exists(const std::wstring& path);

// Holds a file open without sharing, as a running program would: other opens
// fail with ERROR_SHARING_VIOLATION until it is released.
class HeldOpen {
 public:
  explicit HeldOpen(const std::wstring& path);
  ~HeldOpen();
  HeldOpen(const HeldOpen&) = delete;
  HeldOpen& operator=(const HeldOpen&) = delete;

 private:
  HANDLE handle_;
};

}  // namespace tarnwick::test
