#include "platform/file_bytes.h"

#include <windows.h>

#include <algorithm>

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

std::optional<std::string_view> readFileStart(const std::wstring& path, std::size_t maxBytes, std::string& storage,
                                              const EnoughBytes& enough) {
  UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  LARGE_INTEGER size{};
  if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 ||
      static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
    return std::nullopt;
  }
  // Room for the size the file has now; what was read stays where it is, so views
  // into it stay valid. A file that changes meanwhile gives what the reads found.
  std::size_t total = static_cast<std::size_t>(size.QuadPart);
  if (storage.size() < total) storage.resize(total);
  std::size_t got = 0;
  for (std::size_t piece = 64 * 1024;; piece *= 2) {
    const std::size_t wanted = std::min(total - got, piece);
    DWORD read = 0;
    if (wanted != 0 && !::ReadFile(file.get(), storage.data() + got, static_cast<DWORD>(wanted), &read, nullptr)) {
      return std::nullopt;
    }
    got += read;
    if (read < wanted) total = got;  // the file ended sooner
    const bool whole = got == total;
    if (enough(std::string_view(storage.data(), got), whole) || whole) break;
  }
  return std::string_view(storage.data(), got);
}

}  // namespace tarnwick
