#include "platform/file_bytes.h"

#include <windows.h>

#include <algorithm>

#include "platform/unique_handle.h"

namespace tarnwick {

bool readFileInto(const std::wstring& path, std::size_t maxBytes, std::string& bytes) {
  bytes.clear();
  // Others may go on reading, writing or deleting the file meanwhile.
  UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  LARGE_INTEGER size{};
  if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
      static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
    return false;
  }
  // The size read first is a guess: the file may change while it is read.
  bytes.resize(static_cast<std::size_t>(size.QuadPart) + 1);
  std::size_t filled = 0;
  for (;;) {
    if (filled == bytes.size()) {
      if (bytes.size() > maxBytes) {
        bytes.clear();
        return false;
      }
      bytes.resize(bytes.size() * 2);
    }
    DWORD read = 0;
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - filled, 1u << 30));
    if (!::ReadFile(file.get(), bytes.data() + filled, wanted, &read, nullptr)) {
      bytes.clear();
      return false;
    }
    if (read == 0) break;
    filled += read;
  }
  bytes.resize(filled);
  return true;
}

}  // namespace tarnwick
