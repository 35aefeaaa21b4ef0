#include "bench/bench_game.h"

#include <windows.h>

#include <stdexcept>
#include <string>

#include "platform/unique_handle.h"

namespace tarnwick::bench {
namespace {

constexpr wchar_t kRoot[] = L"C:\\tarnwick-bench";

void makeFolder(const std::wstring& path) {
  if (!::CreateDirectoryW(path.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) {
    throw std::runtime_error("cannot create a benchmark folder");
  }
}

void writeFile(const std::wstring& path, const std::string& bytes) {
  UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (!file || !::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size()) {
    throw std::runtime_error("cannot write a benchmark file");
  }
}

bool fileHasSize(const std::wstring& path, size_t size) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  return ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) && data.nFileSizeHigh == 0 &&
         data.nFileSizeLow == size;
}

void setRegistryText(const wchar_t* key, const wchar_t* name, const std::wstring& text) {
  HKEY opened = nullptr;
  if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &opened,
                        nullptr) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot write the game's registry entries");
  }
  ::RegSetValueExW(opened, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  ::RegCloseKey(opened);
}

}  // namespace

BenchGame::BenchGame(int packCount)
    : gameFolder_(std::wstring(kRoot) + L"\\RA2" + (packCount == kPackCount ? L"" : L"-" + std::to_wstring(packCount))) {
  makeFolder(kRoot);
  makeFolder(gameFolder_);
  makeFolder(packFolder());
  setRegistryText(L"SOFTWARE\\Westwood\\Red Alert 2", L"InstallPath", gameFolder_ + L"\\Ra2.exe");
  setRegistryText(L"SOFTWARE\\Westwood\\Yuri's Revenge", L"InstallPath", gameFolder_ + L"\\gamemd.exe");

  const std::string table = " FSC benchmark string table";
  writeFile(gameFolder_ + L"\\ra2md.csf", table);
  writeFile(packFolder() + L"\\ra2md.csf", table);

  if (!fileHasSize(packFolder() + L"\\packs-ready", 0)) {
    for (int pack = 0; pack < packCount; ++pack) makeFolder(packFolder() + L"\\Pack " + std::to_wstring(pack));
    writeFile(packFolder() + L"\\packs-ready", "");
  }

  if (packCount != kPackCount) return;
  makeFolder(largePack());
  std::string content(kLargePackFileBytes, '\0');
  for (size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>((i * 131 + i / 4096) & 0xFF);
  for (int file = 0; file < kLargePackFiles; ++file) {
    wchar_t name[32];
    std::swprintf(name, 32, file == 0 ? L"map%03d.map" : L"data%03d.mix", file);
    largePackFiles_.push_back(name);
    const std::wstring path = largePack() + L"\\" + name;
    if (!fileHasSize(path, content.size())) writeFile(path, content);
  }

  makeFolder(smallPack());
  for (int file = 0; file < kSmallPackFiles; ++file) {
    smallPackFiles_.push_back(file == 0 ? L"small.map" : L"small" + std::to_wstring(file) + L".ini");
  }
  if (!fileHasSize(smallPack() + L"\\files-ready", 0)) {
    for (const auto& name : smallPackFiles_) writeFile(smallPack() + L"\\" + name, "[Small]\r\nFile=" + std::string(name.begin(), name.end()));
    writeFile(smallPack() + L"\\files-ready", "");
    ::SetFileAttributesW((smallPack() + L"\\files-ready").c_str(), FILE_ATTRIBUTE_HIDDEN);
  }
}

void BenchGame::writeRecordOf500Files() const {
  std::string record = std::string(gameFolder_.begin(), gameFolder_.end()) + "\\ZAzod\\Recorded\r\nRecorded\r\n " + std::to_string(kRecordFiles) + " \r\n";
  for (int file = 0; file < kRecordFiles; ++file) record += "recorded" + std::to_string(file) + ".map\r\n";
  writeFile(packFolder() + L"\\cofin.txt", record);
}

void BenchGame::removeRecord() const { ::DeleteFileW((packFolder() + L"\\cofin.txt").c_str()); }

}  // namespace tarnwick::bench
