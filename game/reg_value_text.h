#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick {

// A 32-bit registry number as it is shown: upper-case hexadecimal, no prefix, no
// leading zeros (255 -> "FF", 0 -> "0", -1 -> "FFFFFFFF").
std::wstring dwordAsHex(std::uint32_t value);

}  // namespace tarnwick
