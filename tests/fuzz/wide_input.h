#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace tarnwick {

// The fuzzer's bytes as text, one character per byte; the parsers only give meaning to
// ASCII characters, so nothing is lost for them.
inline std::wstring wideFromFuzzBytes(const std::uint8_t* data, std::size_t size) {
  return std::wstring(data, data + size);
}

}  // namespace tarnwick
