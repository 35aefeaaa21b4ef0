#include "platform/file_bytes.h"

#include <windows.h>

#include "platform/unique_handle.h"

namespace tarnwick {

bool readFileInto(const std::wstring& path, std::size_t maxBytes, std::string& bytes) {
  // Others may go on reading, writing or deleting the file meanwhile.
  UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  LARGE_INTEGER size{};
  if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
      static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
    bytes.clear();
    return false;
  }
  // One read of the size the file has now: a file that changes meanwhile gives what
  // the read found. The storage of the last file is reused as it is.
  bytes.resize(static_cast<std::size_t>(size.QuadPart));
  DWORD read = 0;
  if (!bytes.empty() && !::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
    bytes.clear();
    return false;
  }
  bytes.resize(read);
  return true;
}

}  // namespace tarnwick
