#include "maps/base64.h"

#include <array>
#include <string>

namespace tarnwick {
namespace {

constexpr std::uint8_t kNotBase64 = 0xFF;

constexpr std::array<std::uint8_t, 256> makeValues() {
  std::array<std::uint8_t, 256> values{};
  values.fill(kNotBase64);
  constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  for (std::uint8_t i = 0; i < 64; ++i) values[static_cast<unsigned char>(kAlphabet[i])] = i;
  return values;
}
constexpr std::array<std::uint8_t, 256> kValues = makeValues();

}  // namespace

std::optional<std::vector<std::uint8_t>> decodeBase64(const std::vector<std::string_view>& pieces) {
  // Joined first, so the digits are decoded four at a time in one tight loop.
  std::string text;
  std::size_t total = 0;
  for (const auto piece : pieces) total += piece.size();
  text.reserve(total);
  for (const auto piece : pieces) text.append(piece);

  // Padding is only allowed at the very end: at most two '=' there.
  std::size_t digits = text.size();
  while (digits > 0 && text[digits - 1] == '=' && text.size() - digits < 3) --digits;
  const std::size_t padding = text.size() - digits;
  if (padding > 2 || digits % 4 == 1) return std::nullopt;
  if (padding != 0 && text.size() % 4 != 0) return std::nullopt;

  std::vector<std::uint8_t> bytes(digits / 4 * 3 + (digits % 4 == 0 ? 0 : digits % 4 - 1));
  const auto* in = reinterpret_cast<const unsigned char*>(text.data());
  std::uint8_t* out = bytes.data();
  std::uint32_t invalid = 0;  // any digit outside the alphabet sets its top bit
  std::size_t i = 0;
  for (; i + 4 <= digits; i += 4, out += 3) {
    const std::uint32_t a = kValues[in[i]], b = kValues[in[i + 1]], c = kValues[in[i + 2]], d = kValues[in[i + 3]];
    invalid |= a | b | c | d;
    const std::uint32_t group = (a << 18) | (b << 12) | (c << 6) | d;
    out[0] = static_cast<std::uint8_t>(group >> 16);
    out[1] = static_cast<std::uint8_t>(group >> 8);
    out[2] = static_cast<std::uint8_t>(group);
  }
  // A last group of two or three digits gives one or two bytes; the bits it doesn't
  // use are taken as they come.
  if (digits - i >= 2) {
    const std::uint32_t a = kValues[in[i]], b = kValues[in[i + 1]];
    const std::uint32_t c = digits - i == 3 ? kValues[in[i + 2]] : 0;
    invalid |= a | b | c;
    const std::uint32_t group = (a << 18) | (b << 12) | (c << 6);
    out[0] = static_cast<std::uint8_t>(group >> 16);
    if (digits - i == 3) out[1] = static_cast<std::uint8_t>(group >> 8);
  }
  if (invalid & 0x80) return std::nullopt;
  return bytes;
}

}  // namespace tarnwick
