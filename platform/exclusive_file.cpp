#include "platform/exclusive_file.h"

namespace tarnwick {

UniqueFile holdExclusively(const std::wstring& path, DWORD& error) {
  auto open = [&path](DWORD access) {
    return UniqueFile(::CreateFileW(path.c_str(), access, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr));
  };
  // Write access makes Wine's lock exclusive; a file another user made may allow only reading.
  UniqueFile file = open(GENERIC_READ | GENERIC_WRITE);
  if (!file && ::GetLastError() == ERROR_ACCESS_DENIED) file = open(GENERIC_READ);
  if (!file) {
    error = ::GetLastError();
    return {};
  }
  OVERLAPPED start{};
  if (!::LockFileEx(file.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &start)) {
    error = ::GetLastError();
    if (error == ERROR_IO_PENDING) error = ERROR_LOCK_VIOLATION;
    return {};
  }
  error = NO_ERROR;
  return file;
}

}  // namespace tarnwick
