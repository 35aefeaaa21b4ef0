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
    if (pair == "\xCE\xB4" || pair == "\xD6\xAA") {
      text.push_back(pair == "\xCE\xB4" ? L'未' : L'知');
      ++i;
    } else {
      text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i])));
    }
  }
  return text;
}

inline std::string encodeToyCodePage(std::wstring_view text) {
  std::string bytes;
  for (const wchar_t c : text) {
    if (c == L'未') bytes += "\xCE\xB4";
    else if (c == L'知') bytes += "\xD6\xAA";
    else bytes.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
  }
  return bytes;
}

}  // namespace tarnwick
