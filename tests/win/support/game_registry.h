#pragma once
#include <windows.h>

#include <string>

namespace tarnwick::test {

// The game's registry entries in the registry's 32-bit view of the test prefix,
// as an installer leaves them. Every instance starts from no entries at all and
// removes what it wrote when it goes.
class GameRegistry {
 public:
  static constexpr const wchar_t* kGameKey = L"SOFTWARE\\Westwood\\Red Alert 2";
  static constexpr const wchar_t* kExpansionKey = L"SOFTWARE\\Westwood\\Yuri's Revenge";

  GameRegistry();
  ~GameRegistry();
  GameRegistry(const GameRegistry&) = delete;
  GameRegistry& operator=(const GameRegistry&) = delete;

  void setBytes(const wchar_t* key, const wchar_t* name, DWORD type, const void* data, DWORD size);
  void setText(const wchar_t* key, const wchar_t* name, const std::wstring& text, DWORD type = REG_SZ);

  // Both keys as a real install leaves them, with the expansion at `expansionPath`.
  void installGame(const std::wstring& gamePath, const std::wstring& expansionPath);

  static void removeAll();
};

}  // namespace tarnwick::test
