#include "game/reg_keys.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "game/reg_value_text.h"
#include "platform/unique_handle.h"

namespace tarnwick::RegKeys {
namespace {

// The game has always read its entries into a 1024-byte ANSI buffer: a text is
// readable when its ANSI form, with its NUL if it has one stored, fits in it.
constexpr int kAnsiBufferSize = 1024;

int ansiLength(const std::wstring& text) {
  if (text.empty()) return 0;
  return ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
}

std::wstring textValue(const std::vector<BYTE>& data) {
  const std::wstring stored(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
  if (ansiLength(stored) > kAnsiBufferSize) return {};
  return stored.substr(0, stored.find(L'\0'));
}

}  // namespace

std::wstring ReadRegValue(HKEY root, const std::wstring& subKey, const std::wstring& valueName) {
  // Reading needs no more than read access; asking for more makes every value
  // unreadable for a standard user. The explicit 32-bit view is what a 32-bit
  // program gets anyway, and keeps a 64-bit build of the program reading the same.
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(root, subKey.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &opened) != ERROR_SUCCESS) return {};
  const UniqueRegKey key(opened);

  DWORD type = REG_NONE;
  DWORD size = 0;
  if (::RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
  // Text in UTF-16 takes at most twice its ANSI size; anything larger can't fit.
  if (size > 2 * kAnsiBufferSize + sizeof(wchar_t)) return {};
  std::vector<BYTE> data(size);
  if (::RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS) {
    return {};
  }
  data.resize(size);

  switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
      return textValue(data);
    case REG_DWORD: {
      std::uint32_t number = 0;  // a short value reads as 0, as a failed read would
      if (data.size() == sizeof number) std::memcpy(&number, data.data(), sizeof number);
      return dwordAsHex(number);
    }
    default:
      return {};
  }
}

}  // namespace tarnwick::RegKeys
