#include "support/game_registry.h"

#include <stdexcept>

namespace tarnwick::test {
namespace {

HKEY createKey(const wchar_t* key) {
  HKEY opened = nullptr;
  if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &opened,
                        nullptr) != ERROR_SUCCESS) {
    throw std::runtime_error("cannot create a test registry key");
  }
  return opened;
}

}  // namespace

GameRegistry::GameRegistry() { removeAll(); }
GameRegistry::~GameRegistry() { removeAll(); }

void GameRegistry::removeAll() {
  HKEY westwood = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE", 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, &westwood) ==
      ERROR_SUCCESS) {
    ::RegDeleteTreeW(westwood, L"Westwood");
    ::RegCloseKey(westwood);
  }
}

void GameRegistry::setBytes(const wchar_t* key, const wchar_t* name, DWORD type, const void* data, DWORD size) {
  HKEY opened = createKey(key);
  const LSTATUS status = ::RegSetValueExW(opened, name, 0, type, static_cast<const BYTE*>(data), size);
  ::RegCloseKey(opened);
  if (status != ERROR_SUCCESS) throw std::runtime_error("cannot write a test registry value");
}

void GameRegistry::setText(const wchar_t* key, const wchar_t* name, const std::wstring& text, DWORD type) {
  setBytes(key, name, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void GameRegistry::setNumber(const wchar_t* key, const wchar_t* name, DWORD value) {
  setBytes(key, name, REG_DWORD, &value, sizeof value);
}

void GameRegistry::installGame(const std::wstring& gamePath, const std::wstring& expansionPath) {
  setText(kGameKey, L"Name", L"Red Alert 2");
  setNumber(kGameKey, L"Version", 0x00010006);
  setText(kGameKey, L"InstallPath", gamePath);
  setText(kExpansionKey, L"Name", L"Yuri's Revenge");
  setNumber(kExpansionKey, L"Version", 0x00010001);
  setText(kExpansionKey, L"InstallPath", expansionPath);
}

}  // namespace tarnwick::test
