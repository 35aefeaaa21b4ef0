#include "support/temp_folder.h"

#include <windows.h>

#include <atomic>
#include <stdexcept>

namespace tarnwick::test {

TempFolder::TempFolder() {
  static std::atomic<unsigned> counter{0};
  wchar_t base[MAX_PATH + 1]{};
  ::GetTempPathW(MAX_PATH, base);
  for (int attempt = 0; attempt < 1000; ++attempt) {
    std::wstring candidate = std::wstring(base) + L"tarnwick-test-" + std::to_wstring(::GetCurrentProcessId()) +
                             L"-" + std::to_wstring(counter++);
    if (::CreateDirectoryW(candidate.c_str(), nullptr)) {
      path_ = std::move(candidate);
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TempFolder::~TempFolder() { removeTree(path_); }

std::wstring TempFolder::operator/(std::wstring_view relative) const {
  return path_ + L"\\" + std::wstring(relative);
}

void removeTree(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL | (attributes & FILE_ATTRIBUTE_DIRECTORY));
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    ::DeleteFileW(path.c_str());
    return;
  }
  WIN32_FIND_DATAW found{};
  HANDLE find = ::FindFirstFileW((path + L"\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name != L"." && name != L"..") removeTree(path + L"\\" + name);
    } while (::FindNextFileW(find, &found));
    ::FindClose(find);
  }
  ::RemoveDirectoryW(path.c_str());
}

}  // namespace tarnwick::test
