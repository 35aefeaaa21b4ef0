#include "game/reg_keys.h"

#include <array>
#include <cstdint>

#include "game/reg_value_text.h"
#include "platform/code_page.h"
#include "platform/unique_handle.h"

namespace tarnwick::RegKeys {
namespace {
constexpr DWORD kValueBufferSize = 1024;
}

std::wstring ReadRegValue(HKEY root, const std::string& subKey, const std::string& valueName) {
  // Reading needs no more than read access; asking for more makes every value
  // unreadable for a standard user. The explicit 32-bit view is what a 32-bit
  // program gets anyway, and keeps a 64-bit build of the program reading the same.
  HKEY opened = nullptr;
  if (::RegOpenKeyExA(root, subKey.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &opened) != ERROR_SUCCESS) {
    return {};
  }
  const UniqueRegKey key(opened);

  std::array<char, kValueBufferSize> buffer{};
  DWORD type = REG_NONE;
  DWORD size = kValueBufferSize;
  if (::RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &size) != ERROR_SUCCESS) {
    return {};
  }

  switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
      return fromAnsi(textBeforeNul(std::string_view(buffer.data(), size)));
    case REG_DWORD: {
      // Read again as a number; a failed second read leaves 0.
      std::uint32_t number = 0;
      DWORD numberSize = sizeof number;
      ::RegQueryValueExA(key.get(), valueName.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&number),
                         &numberSize);
      return dwordAsHex(number);
    }
    default:
      return {};
  }
}

}  // namespace tarnwick::RegKeys
