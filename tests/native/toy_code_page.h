#pragma once
#include <string>
#include <string_view>

namespace tarnwick {

// A stand-in for an ANSI code page: each byte is the character of the same value, except
// the two double-byte pairs that spell "未知" in code page 936. Encoding a decoded text
// gives back the same bytes.
inline std::wstring decodeToyCodePage(std::string_view bytes) {
  std::wstring text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const std::string_view pair = bytes.substr(i, 2);
    const bool doubleByte = pair == "\xCE\xB4" || pair == "\xD6\xAA";
    text.push_back(doubleByte ? (pair == "\xCE\xB4" ? L'未' : L'知') : static_cast<unsigned char>(bytes[i]));
    i += doubleByte ? 1 : 0;
  }
  return text;
}

inline std::string encodeToyCodePage(std::wstring_view text) {
  std::string bytes;
  for (const wchar_t c : text) {
    bytes += c == L'未' ? "\xCE\xB4" : c == L'知' ? "\xD6\xAA" : std::string(1, c <= 0xFF ? static_cast<char>(c) : '?');
  }
  return bytes;
}

}  // namespace tarnwick
