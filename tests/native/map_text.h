#pragma once
#include <string>
#include <string_view>

namespace tarnwick {

// Base64 with padding, as map editors write packed data.
inline std::string base64Text(std::string_view bytes) {
  static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string text;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    unsigned group = 0;
    for (std::size_t k = 0; k < 3; ++k) {
      group = group << 8 | (i + k < bytes.size() ? static_cast<unsigned char>(bytes[i + k]) : 0u);
    }
    for (std::size_t k = 0; k < 4; ++k) text += k <= bytes.size() - i ? kDigits[(group >> (18 - 6 * k)) & 63] : '=';
  }
  return text;
}

// The text as the numbered lines of a packed section: "1=...", "2=...", 70 characters each.
inline std::string numberedLines(const std::string& text) {
  std::string lines;
  for (std::size_t at = 0, key = 1; at < text.size(); at += 70, ++key) {
    lines += std::to_string(key) + "=" + text.substr(at, 70) + "\r\n";
  }
  return lines;
}

}  // namespace tarnwick
