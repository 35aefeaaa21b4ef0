#include "bench/stand_in_install.h"

#include <windows.h>

#include <stdexcept>

#include "platform/unique_handle.h"

namespace tarnwick::bench {
namespace {

constexpr wchar_t kExpansionKey[] = L"SOFTWARE\\Westwood\\Yuri's Revenge";
constexpr wchar_t kInstallPath[] = L"InstallPath";
constexpr REGSAM kGameView = KEY_WOW64_32KEY;  // where the game's installer writes

void makeFolder(const std::wstring& path) {
  if (!::CreateDirectoryW(path.c_str(), nullptr)) throw std::runtime_error("cannot create a folder for the benchmark");
}

std::wstring freshTempFolder() {
  wchar_t base[MAX_PATH + 1]{};
  ::GetTempPathW(MAX_PATH, base);
  for (unsigned attempt = 0; attempt < 1000; ++attempt) {
    std::wstring candidate = std::wstring(base) + L"tarnwick-bench-" + std::to_wstring(::GetCurrentProcessId()) +
                             L"-" + std::to_wstring(attempt);
    if (::CreateDirectoryW(candidate.c_str(), nullptr)) return candidate;
  }
  throw std::runtime_error("cannot create a temporary folder for the benchmark");
}

void removeTree(const std::wstring& path) {
  WIN32_FIND_DATAW found{};
  UniqueFind find(::FindFirstFileW((path + L"\\*").c_str(), &found));
  if (find) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring entry = path + L"\\" + name;
      ::SetFileAttributesW(entry.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        removeTree(entry);
      } else {
        ::DeleteFileW(entry.c_str());
      }
    } while (::FindNextFileW(find.get(), &found));
  }
  find.reset();
  ::RemoveDirectoryW(path.c_str());
}

std::wstring fileName(const std::wstring& path) {
  const size_t separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

}  // namespace

StandInInstall::StandInInstall(const std::vector<std::wstring>& pictures) {
  gameFolder_ = freshTempFolder();
  try {
    makeFolder(gameFolder_ + L"\\ZAzod");
    packFolder_ = gameFolder_ + L"\\ZAzod\\大图";
    makeFolder(packFolder_);
    for (const auto& picture : pictures) {
      if (!::CopyFileW(picture.c_str(), (packFolder_ + L"\\" + fileName(picture)).c_str(), FALSE)) {
        throw std::runtime_error("cannot copy a picture into the benchmark's pack");
      }
    }

    UniqueRegKey key;
    HKEY opened = nullptr;
    DWORD disposition = 0;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kExpansionKey, 0, nullptr, 0, KEY_ALL_ACCESS | kGameView, nullptr,
                          &opened, &disposition) != ERROR_SUCCESS) {
      throw std::runtime_error("cannot write the game's registry key (run the benchmark in its own Wine prefix)");
    }
    key.reset(opened);
    createdKey_ = disposition == REG_CREATED_NEW_KEY;
    wchar_t previous[MAX_PATH]{};
    DWORD size = sizeof previous - sizeof(wchar_t);
    hadInstallPath_ = ::RegQueryValueExW(key.get(), kInstallPath, nullptr, nullptr,
                                         reinterpret_cast<BYTE*>(previous), &size) == ERROR_SUCCESS;
    previousInstallPath_ = previous;
    const std::wstring installPath = gameFolder_ + L"\\gamemd.exe";
    if (::RegSetValueExW(key.get(), kInstallPath, 0, REG_SZ, reinterpret_cast<const BYTE*>(installPath.c_str()),
                         static_cast<DWORD>((installPath.size() + 1) * sizeof(wchar_t))) != ERROR_SUCCESS) {
      throw std::runtime_error("cannot write the game's registry entry");
    }
  } catch (...) {
    removeTree(gameFolder_);
    throw;
  }
}

StandInInstall::~StandInInstall() {
  if (createdKey_) {
    ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kExpansionKey, kGameView, 0);
  } else {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kExpansionKey, 0, KEY_SET_VALUE | kGameView, &key) == ERROR_SUCCESS) {
      const UniqueRegKey owned(key);
      if (hadInstallPath_) {
        ::RegSetValueExW(key, kInstallPath, 0, REG_SZ, reinterpret_cast<const BYTE*>(previousInstallPath_.c_str()),
                         static_cast<DWORD>((previousInstallPath_.size() + 1) * sizeof(wchar_t)));
      } else {
        ::RegDeleteValueW(key, kInstallPath);
      }
    }
  }
  removeTree(gameFolder_);
}

}  // namespace tarnwick::bench
